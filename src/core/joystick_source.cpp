#include "core/joystick_source.h"

namespace tavrix {

unsigned hatDirectionsFromAngle(unsigned centidegrees) {
    if (centidegrees >= 36000) return 0;
    unsigned directions = 0;
    if (centidegrees < 9000 || centidegrees > 27000) directions |= kHatUp;
    if (centidegrees > 0 && centidegrees < 18000) directions |= kHatRight;
    if (centidegrees > 9000 && centidegrees < 27000) directions |= kHatDown;
    if (centidegrees > 18000) directions |= kHatLeft;
    return directions;
}

void applyHat(JoystickReading& reading, unsigned directions, const JoystickCapabilities& capabilities) {
    if (directions & kHatLeft) reading.x = capabilities.xMin;
    if (directions & kHatRight) reading.x = capabilities.xMax;
    if (directions & kHatUp) reading.y = capabilities.yMin;
    if (directions & kHatDown) reading.y = capabilities.yMax;
}

}  // namespace tavrix
