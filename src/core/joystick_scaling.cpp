#include "core/joystick_scaling.h"

#include "core/input_names.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace tavrix {
namespace {

int16_t storedScaledBy(int16_t value) { return value == 0 ? 1 : value; }

// Nearest integer, ties to even, clamped into int (a position far outside the range must not
// overflow the conversion).
int roundToEven(double value) {
    if (std::isnan(value)) return 0;
    const double limit = std::numeric_limits<int>::max();
    if (value >= limit) return std::numeric_limits<int>::max();
    if (value <= -limit) return -std::numeric_limits<int>::max();
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(previous);
    return static_cast<int>(rounded);
}

int scaleAxis(int position, int centre, double lowStep, double highStep) {
    if (lowStep == 0 || highStep == 0) return 0;
    const double offset = static_cast<double>(position) - centre;
    return roundToEven(offset / (position < centre ? lowStep : highStep));
}

}  // namespace

void JoystickScaling::setXScaledBy(int16_t value) {
    xScaledBy_ = storedScaledBy(value);
    recalcScaling();
}

void JoystickScaling::setYScaledBy(int16_t value) {
    yScaledBy_ = storedScaledBy(value);
    recalcScaling();
}

void JoystickScaling::setZScaledBy(int16_t value) {
    zScaledBy_ = storedScaledBy(value);
    recalcScaling();
}

void JoystickScaling::recalcScaling() {
    xHighStep_ = (static_cast<double>(xMax) - xCenter) / xScaledBy_;
    xLowStep_ = (static_cast<double>(xCenter) - xMin) / xScaledBy_;
    yHighStep_ = (static_cast<double>(yMax) - yCenter) / yScaledBy_;
    yLowStep_ = (static_cast<double>(yCenter) - yMin) / yScaledBy_;
    const double zTop = maxZ == 0 ? 32767.0 : maxZ;
    zStep_ = (zTop - minZ) / zScaledBy_;
    for (double* step : {&xHighStep_, &xLowStep_, &yHighStep_, &yLowStep_})
        if (*step < 1.0) *step = 1.0;
}

int JoystickScaling::scaleX(int position) const {
    return scaleAxis(position, xCenter, xLowStep_, xHighStep_);
}

int JoystickScaling::scaleY(int position) const {
    return scaleAxis(position, yCenter, yLowStep_, yHighStep_);
}

int JoystickScaling::scaleZ(int position) const {
    if (zStep_ == 0) return 0;
    return roundToEven((static_cast<double>(position) - minZ) / zStep_);
}

double clampEventThreshold(double percent) {
    if (std::isnan(percent) || percent < 0) return 0;
    if (percent > 10) return 10;
    return percent;
}

int thresholdUnits(int range, double percent) {
    return roundToEven(static_cast<double>(range) * percent / 100.0);
}

std::optional<int> joystickInputCode(int xPos, int yPos, uint16_t buttonStatus, int joystick) {
    if (buttonStatus == 0 && xPos == 1 && yPos == 1) return std::nullopt;
    const int offset = joystick == 2 ? kSecondJoystickOffset : 0;
    std::optional<int> code;
    if (buttonStatus != 0) {
        int button = 1;  // several buttons, or one above button 12
        for (int n = 1; n <= kJoystickButtonCount; ++n)
            if (buttonStatus == (1u << (n - 1))) button = n;
        code = kJoystickButton1Code + button - 1 + offset;
    }
    if (yPos == 0) code = kJoystickUpCode + offset;
    if (yPos == 2) code = kJoystickDownCode + offset;
    if (xPos == 0) code = kJoystickLeftCode + offset;
    if (xPos == 2) code = kJoystickRightCode + offset;
    return code;
}

}  // namespace tavrix
