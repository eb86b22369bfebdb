#pragma once
// Where joystick readings come from: the game ports 0 and 1 (the first and second joystick the
// system knows), their capabilities and their current state. Each system has its own source
// (SDL on Linux, the multimedia joystick functions on Windows); tests substitute a fake one.
#include <cstdint>
#include <optional>

namespace tavrix {

// Axis ranges and button count of a device; all zero when the port has no device.
struct JoystickCapabilities {
    int xMin = 0, xMax = 0;
    int yMin = 0, yMax = 0;
    int zMin = 0, zMax = 0;
    int numButtons = 0;
    int periodMin = 0, periodMax = 0;  // shortest and longest report interval, milliseconds
};

// One raw report: positions within the device's ranges, bit n-1 of `buttons` set while button
// n is down.
struct JoystickReading {
    int x = 0;
    int y = 0;
    std::optional<int> z;  // only for devices with a third axis
    uint16_t buttons = 0;
};

class JoystickSource {
public:
    virtual ~JoystickSource() = default;

    virtual JoystickCapabilities capabilities(int port) = 0;
    // Takes the port for one reader. Fails when the port has no device or is already taken;
    // a device attached since the last call is found here.
    virtual bool acquire(int port) = 0;
    virtual void release(int port) = 0;
    // The current state of an acquired port; nothing when it is not acquired or the device is
    // gone. A port whose device is gone is free again: the next acquire looks for a device anew.
    virtual std::optional<JoystickReading> read(int port) = 0;
};

// Directions of a pad's hat (point-of-view switch), as bits; a diagonal sets two.
enum HatDirection : unsigned { kHatUp = 1, kHatRight = 2, kHatDown = 4, kHatLeft = 8 };

// The directions of a hat that reports an angle in hundredths of a degree clockwise from up
// (0 up, 9000 right, 4500 up and right); an angle of 36000 or more means centred.
unsigned hatDirectionsFromAngle(unsigned centidegrees);

// Pads whose directions are a hat rather than a stick: a pressed hat direction puts the stick
// at that end of the device's range; the axis of a direction not pressed keeps its position.
void applyHat(JoystickReading& reading, unsigned directions, const JoystickCapabilities& capabilities);

}  // namespace tavrix
