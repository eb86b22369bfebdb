// The joystick source over SDL2. Only the joystick subsystem is started, so it works without
// a display. SDL reports axes as -32768 .. 32767; they are shifted to 0 .. 65535 so the device
// looks like a game-port joystick whose centre lies in the middle of an unsigned range.
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
        SDL_Joystick* joystick = opened_[port];
        bool temporary = false;
        if (joystick == nullptr) {
            SDL_JoystickUpdate();
            if (port >= SDL_NumJoysticks()) return caps;
            joystick = SDL_JoystickOpen(port);
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
        if (!validPort(port) || !started_ || opened_[port] != nullptr) return false;
        SDL_JoystickUpdate();  // also notices devices attached since the last look
        if (port >= SDL_NumJoysticks()) return false;
        opened_[port] = SDL_JoystickOpen(port);
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
        SDL_Joystick* joystick = opened_[port];
        if (!SDL_JoystickGetAttached(joystick)) return std::nullopt;
        JoystickReading reading;
        reading.x = axis(joystick, 0);
        reading.y = axis(joystick, 1);
        if (SDL_JoystickNumAxes(joystick) > 2) reading.z = axis(joystick, 2);
        // Pads whose directions are a hat rather than a stick: the hat counts as the stick.
        if (SDL_JoystickNumHats(joystick) > 0) {
            const Uint8 hat = SDL_JoystickGetHat(joystick, 0);
            if (hat & SDL_HAT_LEFT) reading.x = 0;
            if (hat & SDL_HAT_RIGHT) reading.x = kAxisTop;
            if (hat & SDL_HAT_UP) reading.y = 0;
            if (hat & SDL_HAT_DOWN) reading.y = kAxisTop;
        }
        const int buttons = SDL_JoystickNumButtons(joystick);
        for (int button = 0; button < buttons && button < kMaxButtons; ++button)
            if (SDL_JoystickGetButton(joystick, button)) reading.buttons |= uint16_t(1u << button);
        return reading;
    }

private:
    static bool validPort(int port) { return port >= 0 && port < kPortCount; }
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
