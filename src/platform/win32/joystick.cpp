#include "platform/win32/joystick.h"

#include <mmsystem.h>

#include <array>

namespace tavrix::win32 {

namespace {

constexpr int kPortCount = 2;
constexpr UINT_PTR kTimerId = 1;
constexpr const wchar_t* kTimerWindowClass = L"TavrixPollTimer";

class WinmmJoystickSource final : public JoystickSource {
public:
    ~WinmmJoystickSource() override = default;

    JoystickCapabilities capabilities(int port) override {
        JoystickCapabilities caps;
        JOYCAPSW system{};
        if (!validPort(port) || joyGetDevCapsW(joystickId(port), &system, sizeof system) != JOYERR_NOERROR)
            return caps;
        caps.xMin = static_cast<int>(system.wXmin);
        caps.xMax = static_cast<int>(system.wXmax);
        caps.yMin = static_cast<int>(system.wYmin);
        caps.yMax = static_cast<int>(system.wYmax);
        if (system.wCaps & JOYCAPS_HASZ) {
            caps.zMin = static_cast<int>(system.wZmin);
            caps.zMax = static_cast<int>(system.wZmax);
        }
        caps.numButtons = static_cast<int>(system.wNumButtons);
        caps.periodMin = static_cast<int>(system.wPeriodMin);
        caps.periodMax = static_cast<int>(system.wPeriodMax);
        return caps;
    }

    bool acquire(int port) override {
        if (!validPort(port) || taken_[port]) return false;
        JOYINFOEX position = emptyPosition();
        if (joyGetPosEx(joystickId(port), &position) != JOYERR_NOERROR) return false;
        JOYCAPSW system{};
        if (joyGetDevCapsW(joystickId(port), &system, sizeof system) != JOYERR_NOERROR) return false;
        hasZ_[port] = (system.wCaps & JOYCAPS_HASZ) != 0;
        hasHat_[port] = (system.wCaps & JOYCAPS_HASPOV) != 0;
        range_[port] = capabilities(port);
        taken_[port] = true;
        return true;
    }

    void release(int port) override {
        if (validPort(port)) taken_[port] = false;
    }

    std::optional<JoystickReading> read(int port) override {
        if (!validPort(port) || !taken_[port]) return std::nullopt;
        JOYINFOEX position = emptyPosition();
        if (joyGetPosEx(joystickId(port), &position) != JOYERR_NOERROR) {
            // Unplugged: the port is free again for the next acquire.
            taken_[port] = false;
            return std::nullopt;
        }
        JoystickReading reading;
        reading.x = static_cast<int>(position.dwXpos);
        reading.y = static_cast<int>(position.dwYpos);
        if (hasZ_[port]) reading.z = static_cast<int>(position.dwZpos);
        reading.buttons = static_cast<uint16_t>(position.dwButtons & 0xFFFF);
        if (hasHat_[port]) applyHat(reading, hatDirectionsFromAngle(position.dwPOV), range_[port]);
        return reading;
    }

private:
    static bool validPort(int port) { return port >= 0 && port < kPortCount; }
    static UINT joystickId(int port) { return JOYSTICKID1 + static_cast<UINT>(port); }
    static JOYINFOEX emptyPosition() {
        JOYINFOEX position{};
        position.dwSize = sizeof position;
        position.dwFlags = JOY_RETURNALL;
        return position;
    }

    std::array<bool, kPortCount> taken_{};
    std::array<bool, kPortCount> hasZ_{};
    std::array<bool, kPortCount> hasHat_{};
    std::array<JoystickCapabilities, kPortCount> range_{};
};

void registerTimerWindowClass(WNDPROC procedure) {
    static const bool registered = [procedure] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kTimerWindowClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

}  // namespace

std::shared_ptr<JoystickSource> winmmJoystickSource() {
    // One source for the whole process, shared by both joystick components.
    static std::weak_ptr<JoystickSource> shared;
    if (auto existing = shared.lock()) return existing;
    auto source = std::make_shared<WinmmJoystickSource>();
    shared = source;
    return source;
}

MessageTimer::MessageTimer(std::function<void()> tick) : tick_(std::move(tick)) {
    registerTimerWindowClass(windowProcedure);
    window_ = CreateWindowExW(0, kTimerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (window_ != nullptr) SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

MessageTimer::~MessageTimer() {
    if (window_ != nullptr) DestroyWindow(window_);
}

void MessageTimer::start(int milliseconds) {
    // Setting the same timer again restarts it with the new period.
    active_ = window_ != nullptr && SetTimer(window_, kTimerId, static_cast<UINT>(milliseconds), nullptr) != 0;
}

void MessageTimer::stop() {
    if (active_) KillTimer(window_, kTimerId);
    active_ = false;
}

LRESULT CALLBACK MessageTimer::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kTimerId) {
        auto* timer = reinterpret_cast<MessageTimer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (timer != nullptr && timer->active_ && timer->tick_) timer->tick_();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

Joystick::Joystick(std::shared_ptr<JoystickSource> source)
    : timer_([this] { poller_.poll(); }), poller_(std::move(source), timer_) {}

Joystick::~Joystick() {
    poller_.stopCapture();
}

}  // namespace tavrix::win32
