// tavrix.exe started as a user would, in a prepared directory: it scans the romsets at
// start-up, writes the same statuses and first-run files as the Linux program does in the
// same directory, and ends cleanly when its window is closed.
#include "core/ini_document.h"
#include "fixtures/fresh_controller_file.h"
#include "fixtures/smoke_case.h"
#include "fixtures/temp_dir.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

using namespace tavrix;
using namespace tavrix::test;

namespace {

// tavrix.exe of the same build, from this program's place in the build tree.
std::filesystem::path program() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return std::filesystem::path(self).parent_path() / ".." / ".." / "src" / "win32" / "tavrix.exe";
}

bool waitFor(const std::function<bool()>& condition, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return condition();
}

struct WindowSearch {
    DWORD process;
    HWND found = nullptr;
};

BOOL CALLBACK matchMainWindow(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t type[64] = L"";
    GetClassNameW(window, type, 64);
    if (owner != search.process || std::wstring(type) != L"TavrixWindow") return TRUE;
    search.found = window;
    return FALSE;
}

// The main window of the process, found by its class among the top-level windows.
HWND mainWindowOf(DWORD process) {
    WindowSearch search{process};
    EnumWindows(&matchMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

TEST(Win32Smoke, StartUpScansWritesTheFirstRunFilesAndEndsWhenClosed) {
    const std::filesystem::path exe = program();
    ASSERT_TRUE(std::filesystem::exists(exe)) << exe;
    TempDir dir;
    writeSmokeDirectory();

    std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &started));
    CloseHandle(started.hThread);
    HWND window = nullptr;
    const bool settled = waitFor(
        [&] {
            window = mainWindowOf(started.dwProcessId);
            return window != nullptr && readFile("tavrix-controller.cfg") == kFreshControllerFile &&
                   IniDocument::parse(readFile("tavrix.ini")).hasKey("Game-3", "GameStatus");
        },
        std::chrono::seconds(60));
    // Closed as a user closes it; the program ends by itself.
    if (window != nullptr) PostMessageW(window, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(started.hProcess, 30000) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(started.hProcess, 1);
    DWORD exitCode = 1;
    GetExitCodeProcess(started.hProcess, &exitCode);
    CloseHandle(started.hProcess);
    ASSERT_TRUE(settled) << readFile("tavrix.ini");
    EXPECT_TRUE(ended);
    EXPECT_EQ(exitCode, 0u);

    expectSmokeFilesAfterStart();
}
