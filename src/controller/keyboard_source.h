#pragma once
// Where the plug-in gets the keyboard from. The steps are those of a DirectInput keyboard
// (create the input object, create the device, set its format and cooperative level, acquire,
// read the 256-byte state, release); every platform's source answers them with DirectInput
// result codes so that the open/read/close logic and its messages are the same everywhere.
#include <cstdint>
#include <memory>

namespace tavrix::controller {

using SourceResult = std::uint32_t;  // 0 success, otherwise a DirectInput error code

namespace result {
inline constexpr SourceResult Ok = 0;
inline constexpr SourceResult OutOfMemory = 0x8007000E;
inline constexpr SourceResult InvalidParam = 0x80070057;
inline constexpr SourceResult OldDirectInputVersion = 0x8007047E;
inline constexpr SourceResult BetaDirectInputVersion = 0x80070481;
inline constexpr SourceResult InputLost = 0x8007001E;
inline constexpr SourceResult NotAcquired = 0x8007000C;
inline constexpr SourceResult NotFound = 0x80070002;    // no such device
inline constexpr SourceResult Generic = 0x80004005;     // unspecified failure
}  // namespace result

// Non-exclusive (0x2) plus background (0x8) access: keys are read whichever window has focus.
inline constexpr std::uint32_t kCooperativeFlags = 10;

class KeyboardSource {
public:
    virtual ~KeyboardSource() = default;

    virtual SourceResult createInput(void* moduleInstance) = 0;
    virtual SourceResult createDevice() = 0;
    virtual SourceResult setDataFormat() = 0;
    virtual SourceResult setCooperativeLevel(void* window, std::uint32_t flags) = 0;
    virtual SourceResult acquire() = 0;
    // Fills keys[0 .. 255], indexed by DirectInput scan code, 0x80 set for a key that is down.
    virtual SourceResult getDeviceState(std::uint8_t* keys, std::uint32_t size) = 0;
    virtual void unacquire() = 0;
    virtual void releaseDevice() = 0;
    virtual void releaseInput() = 0;
};

// The platform's keyboard (evdev on Linux, DirectInput on Windows).
std::unique_ptr<KeyboardSource> makeSystemKeyboard();
// The handle of this library as the platform knows it (null where there is none).
void* moduleInstance();
// Closes the keyboard if it is still open and frees the plug-in's state; defined with the
// exports, called by the library's unload handler (on Windows only when the library is
// unloaded from a process that goes on, never while the process is ending).
void releasePlugin();

}  // namespace tavrix::controller
