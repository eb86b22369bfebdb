#pragma once
// Joysticks on Windows: the system's game ports through the multimedia joystick functions,
// polled by a window timer on the GUI thread through the core's joystick poller.
#include "core/joystick_poller.h"
#include "core/joystick_source.h"

#include <windows.h>

#include <functional>
#include <memory>

namespace tavrix::win32 {

// Game ports 0 and 1 as the system's joysticks 1 and 2. A port is read with joyGetPosEx at
// each poll; a pad's point-of-view hat counts as its stick, as on the other systems.
std::shared_ptr<JoystickSource> winmmJoystickSource();

// A periodic timer whose ticks arrive as WM_TIMER messages of a message-only window, so they
// run on the thread that created it, from its message loop (the emulator wait's included).
class MessageTimer : public PollTimer {
public:
    explicit MessageTimer(std::function<void()> tick);
    ~MessageTimer() override;
    MessageTimer(const MessageTimer&) = delete;
    MessageTimer& operator=(const MessageTimer&) = delete;

    void start(int milliseconds) override;
    void stop() override;
    bool isActive() const override { return active_; }

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::function<void()> tick_;
    HWND window_ = nullptr;
    bool active_ = false;
};

// The joystick component of the Win32 window: a poller of one game port ticked by a message
// timer. Set it up and start it through poller(); the reports go to the poller's handlers.
class Joystick {
public:
    explicit Joystick(std::shared_ptr<JoystickSource> source = winmmJoystickSource());
    ~Joystick();
    JoystickPoller& poller() { return poller_; }

private:
    MessageTimer timer_;
    JoystickPoller poller_;
};

}  // namespace tavrix::win32
