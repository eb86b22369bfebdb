#include "platform/win32/emulator_process.h"

#include "core/emulator_contract.h"
#include "core/launch_command.h"
#include "core/windows/windows_text.h"

#include <vector>

namespace tavrix::win32 {

namespace {

// The console window of a hidden-console start opens at this position and size, off every
// screen, until it is found and hidden.
constexpr DWORD kConsoleOrigin = 5000;
constexpr DWORD kConsoleSize = 1;
// The console is first looked for this long after the start, then at short intervals for a
// while: under a compatibility layer the console opens only once that layer is up.
constexpr ULONGLONG kConsoleAppearDelay = 64;
constexpr ULONGLONG kConsoleRetryInterval = 100;
constexpr ULONGLONG kConsoleSearchTime = 15000;

struct WindowSearch {
    const std::wstring* title;
    int hidden;
};

BOOL CALLBACK hideIfTitled(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    if (!IsWindowVisible(window)) return TRUE;
    const int length = GetWindowTextLengthW(window);
    if (length != static_cast<int>(search->title->size())) return TRUE;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    if (text == *search->title) {
        ShowWindow(window, SW_HIDE);
        ++search->hidden;
    }
    return TRUE;
}

// Handles every message waiting for this thread; a quit message is kept for later.
void dispatchWaitingMessages(bool& quitSeen, WPARAM& quitCode) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quitSeen = true;
            quitCode = message.wParam;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

int hideTopLevelWindows(const std::wstring& title) {
    WindowSearch search{&title, 0};
    EnumWindows(hideIfTitled, reinterpret_cast<LPARAM>(&search));
    return search.hidden;
}

EmulatorProcess::~EmulatorProcess() {
    closeHandles();
}

void EmulatorProcess::closeHandles() {
    if (thread_ != nullptr) CloseHandle(thread_);
    if (process_ != nullptr) CloseHandle(process_);
    thread_ = process_ = nullptr;
}

void EmulatorProcess::start(const std::string& commandLine, bool hideConsole) {
    if (started()) throw cannotStartEmulatorError("The emulator is still running");

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (hideConsole) {
        startup.dwFlags = STARTF_USEPOSITION | STARTF_USESIZE;
        startup.dwX = startup.dwY = kConsoleOrigin;
        startup.dwXSize = startup.dwYSize = kConsoleSize;
    }
    const std::wstring application = widePath(emulator::kExecutable);
    // The system may write into the command-line buffer, so it gets a copy of its own.
    std::wstring wideCommand = widePath(commandLine);
    std::vector<wchar_t> buffer(wideCommand.begin(), wideCommand.end());
    buffer.push_back(L'\0');

    PROCESS_INFORMATION info{};
    if (!CreateProcessW(application.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        throw cannotStartEmulatorError(windowsErrorText(GetLastError()));
    process_ = info.hProcess;
    thread_ = info.hThread;
    hideConsole_ = hideConsole;
}

DWORD EmulatorProcess::wait() {
    if (!started()) return 0;
    const ULONGLONG startedAt = GetTickCount64();
    ULONGLONG nextConsoleLook = startedAt + kConsoleAppearDelay;
    bool lookForConsole = hideConsole_;
    const std::wstring consoleTitle = widePath(emulator::kConsoleWindowTitle);
    bool quitSeen = false;
    WPARAM quitCode = 0;

    for (;;) {
        // Messages already in the queue do not wake the wait below, so they are handled first.
        dispatchWaitingMessages(quitSeen, quitCode);
        DWORD timeout = INFINITE;
        if (lookForConsole) {
            const ULONGLONG now = GetTickCount64();
            if (now >= nextConsoleLook) {
                const bool hidden = hideTopLevelWindows(consoleTitle) > 0;
                nextConsoleLook = now + kConsoleRetryInterval;
                if (hidden || now - startedAt >= kConsoleSearchTime) lookForConsole = false;
                continue;
            }
            timeout = static_cast<DWORD>(nextConsoleLook - now);
        }
        const DWORD result = MsgWaitForMultipleObjects(1, &process_, FALSE, timeout, QS_ALLINPUT);
        if (result == WAIT_OBJECT_0 || result == WAIT_FAILED) break;
    }

    DWORD exitCode = 0;
    GetExitCodeProcess(process_, &exitCode);
    closeHandles();
    if (quitSeen) PostQuitMessage(static_cast<int>(quitCode));
    return exitCode;
}

}  // namespace tavrix::win32
