#pragma once
// The system's joystick source (see core/joystick_source.h for the interface). The joystick
// component polls it; tests put a fake one in its place.
#include "core/joystick_source.h"

#include <memory>

namespace tavrix {

// The system's joysticks through SDL's joystick subsystem (no window, no video). The subsystem
// starts on first use; a system without joysticks, or where it cannot start, has no devices.
std::shared_ptr<JoystickSource> systemJoystickSource();

// Puts another source in the system's place for the components created from now on (tests use
// a fake one); an empty pointer restores the system's.
void replaceSystemJoystickSource(std::shared_ptr<JoystickSource> source);

}  // namespace tavrix
