#pragma once
// Starting the outside emulator on Windows and waiting for it. The wait keeps handling the
// thread's window messages, so the front end's hidden windows still answer the system (paint,
// session end, broadcasts) while the emulator runs.
#include <windows.h>

#include <string>

namespace tavrix::win32 {

class EmulatorProcess {
public:
    EmulatorProcess() = default;
    // Closes the handles; an emulator still running is left running, it belongs to the user.
    ~EmulatorProcess();
    EmulatorProcess(const EmulatorProcess&) = delete;
    EmulatorProcess& operator=(const EmulatorProcess&) = delete;

    // Starts orvo.exe with the application name "orvo.exe", which the system takes from the
    // current directory and never from the search path. `commandLine` (UTF-8) is the process's
    // command-line string as it is: it begins with a blank and the game number and does not
    // repeat the program name. No handles are inherited; environment and working directory are
    // the front end's. With `hideConsole` the console window opens far off the screen, 1 x 1
    // pixel, and the wait hides it once it shows. Throws tavrix::Error "Cannot start "orvo.exe".
    // reason" with the system's reason, or while the emulator started last has not been waited for.
    void start(const std::string& commandLine, bool hideConsole);

    // Whether an emulator has been started and not yet waited for.
    bool started() const { return process_ != nullptr; }

    // Waits until the emulator has ended, dispatching the thread's messages in the meantime,
    // then releases the process and returns its exit code (0 when nothing was started). A quit
    // message that arrives during the wait is posted again afterwards, for the caller's loop.
    DWORD wait();

private:
    void closeHandles();

    HANDLE process_ = nullptr;
    HANDLE thread_ = nullptr;
    bool hideConsole_ = false;
};

// The top-level windows of the desktop, whatever their process, whose title is exactly `title`
// and which are shown, are hidden. Returns how many were.
int hideTopLevelWindows(const std::wstring& title);

}  // namespace tavrix::win32
