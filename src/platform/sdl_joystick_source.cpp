// The joystick source over SDL2. Only the joystick subsystem is started, so it works without
// a display. SDL reports axes as -32768 .. 32767; they are shifted to 0 .. 65535 so the device
// looks like a game-port joystick whose centre lies in the middle of an unsigned range.
//
// Sticks come and go while the program runs. Each SDL_JoystickUpdate also looks for devices
// added and removed; the handle of a removed device is closed at the next look at its port, so
// the port is free again and a stick plugged in later (or again) is found by the next acquire.
#include "platform/joystick_source.h"

#include <SDL.h>

#include <array>

namespace tavrix {
namespace {

constexpr int kPortCount = 2;
constexpr int kAxisShift = 32768;
constexpr int kAxisTop = 65535;
constexpr int kMaxButtons = 16;  // the button mask has 16 bits

class SdlJoystickSource final : public JoystickSource {
public:
    SdlJoystickSource() {
        // There is no SDL window whose focus could gate the input.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        started_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
        // Readings are taken by polling; queued joystick events would only pile up.
        if (started_) SDL_JoystickEventState(SDL_IGNORE);
    }
    ~SdlJoystickSource() override {
        for (int port = 0; port < kPortCount; ++port) release(port);
        if (started_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }

    JoystickCapabilities capabilities(int port) override {
        JoystickCapabilities caps;
        if (!validPort(port) || !started_) return caps;
        SDL_JoystickUpdate();
        dropIfGone(port);
        SDL_Joystick* joystick = opened_[port];
        bool temporary = false;
        if (joystick == nullptr) {
            const int device = deviceFor(port);
            if (device < 0) return caps;
            joystick = SDL_JoystickOpen(device);
            temporary = true;
            if (joystick == nullptr) return caps;
        }
        caps.xMax = caps.yMax = kAxisTop;
        if (SDL_JoystickNumAxes(joystick) > 2) caps.zMax = kAxisTop;
        caps.numButtons = SDL_JoystickNumButtons(joystick);
        caps.periodMin = 10;
        caps.periodMax = 1000;
        if (temporary) SDL_JoystickClose(joystick);
        return caps;
    }

    bool acquire(int port) override {
        if (!validPort(port) || !started_) return false;
        SDL_JoystickUpdate();  // notices devices attached or removed since the last look
        for (int each = 0; each < kPortCount; ++each) dropIfGone(each);
        if (opened_[port] != nullptr) return false;
        const int device = deviceFor(port);
        if (device < 0) return false;
        opened_[port] = SDL_JoystickOpen(device);
        return opened_[port] != nullptr;
    }

    void release(int port) override {
        if (!validPort(port) || opened_[port] == nullptr) return;
        SDL_JoystickClose(opened_[port]);
        opened_[port] = nullptr;
    }

    std::optional<JoystickReading> read(int port) override {
        if (!validPort(port) || opened_[port] == nullptr) return std::nullopt;
        SDL_JoystickUpdate();
        if (dropIfGone(port)) return std::nullopt;
        SDL_Joystick* joystick = opened_[port];
        JoystickReading reading;
        reading.x = axis(joystick, 0);
        reading.y = axis(joystick, 1);
        if (SDL_JoystickNumAxes(joystick) > 2) reading.z = axis(joystick, 2);
        // Pads whose directions are a hat rather than a stick: the hat counts as the stick.
        if (SDL_JoystickNumHats(joystick) > 0) {
            const Uint8 hat = SDL_JoystickGetHat(joystick, 0);
            unsigned directions = 0;
            if (hat & SDL_HAT_LEFT) directions |= kHatLeft;
            if (hat & SDL_HAT_RIGHT) directions |= kHatRight;
            if (hat & SDL_HAT_UP) directions |= kHatUp;
            if (hat & SDL_HAT_DOWN) directions |= kHatDown;
            JoystickCapabilities range;
            range.xMax = range.yMax = kAxisTop;
            applyHat(reading, directions, range);
        }
        const int buttons = SDL_JoystickNumButtons(joystick);
        for (int button = 0; button < buttons && button < kMaxButtons; ++button)
            if (SDL_JoystickGetButton(joystick, button)) reading.buttons |= uint16_t(1u << button);
        return reading;
    }

private:
    static bool validPort(int port) { return port >= 0 && port < kPortCount; }

    // Closes the port's handle when its device has been removed; true when it did.
    bool dropIfGone(int port) {
        if (opened_[port] == nullptr || SDL_JoystickGetAttached(opened_[port])) return false;
        release(port);
        return true;
    }

    // The device a free port takes: port n is the n-th device the system lists, unless the
    // other port holds that one (the list closes up when a device goes away); it then takes
    // the first device the other port does not hold. -1 when the system has too few devices.
    int deviceFor(int port) const {
        const int count = SDL_NumJoysticks();
        if (port >= count) return -1;
        SDL_Joystick* other = opened_[kPortCount - 1 - port];
        const SDL_JoystickID taken = other != nullptr ? SDL_JoystickInstanceID(other) : -1;
        if (SDL_JoystickGetDeviceInstanceID(port) != taken) return port;
        for (int device = 0; device < count; ++device)
            if (SDL_JoystickGetDeviceInstanceID(device) != taken) return device;
        return -1;
    }
    // A stick without this axis reads as centred.
    static int axis(SDL_Joystick* joystick, int index) {
        if (index >= SDL_JoystickNumAxes(joystick)) return kAxisShift;
        return SDL_JoystickGetAxis(joystick, index) + kAxisShift;
    }

    bool started_ = false;
    std::array<SDL_Joystick*, kPortCount> opened_{};
};

}  // namespace

namespace {
std::shared_ptr<JoystickSource>& replacement() {
    static std::shared_ptr<JoystickSource> source;
    return source;
}
}  // namespace

void replaceSystemJoystickSource(std::shared_ptr<JoystickSource> source) {
    replacement() = std::move(source);
}

std::shared_ptr<JoystickSource> systemJoystickSource() {
    if (replacement()) return replacement();
    // One source for the whole process, shared by both joystick components.
    static std::weak_ptr<JoystickSource> shared;
    if (auto existing = shared.lock()) return existing;
    auto source = std::make_shared<SdlJoystickSource>();
    shared = source;
    return source;
}

}  // namespace tavrix
