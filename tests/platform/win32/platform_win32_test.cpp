// The Windows services, run for real (under Wine in `make test-windows`).
#include "core/emulator_contract.h"
#include "core/error.h"
#include "core/launch_command.h"
#include "core/windows/windows_text.h"
#include "fixtures/fake_joystick_source.h"
#include "fixtures/temp_dir.h"
#include "platform/win32/dialogs.h"
#include "platform/win32/emulator_process.h"
#include "platform/win32/joystick.h"
#include "platform/win32/renderer_plugin.h"

#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

using namespace tavrix;
using namespace tavrix::win32;
using tavrix::test::readFile;
using tavrix::test::TempDir;

namespace {

namespace fs = std::filesystem;

// A file built beside this test program.
fs::path besideProgram(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return fs::path(path).parent_path() / name;
}

void setEnvironment(const wchar_t* name, const std::wstring& value) {
    SetEnvironmentVariableW(name, value.empty() ? nullptr : value.c_str());
}

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return "(no error)";
}

class EmulatorLaunch : public ::testing::Test {
protected:
    void SetUp() override {
        setEnvironment(L"ORVO_STANDIN_SLEEP_MS", L"");
        setEnvironment(L"ORVO_STANDIN_EXIT", L"");
        setEnvironment(L"ORVO_STANDIN_WINDOW", L"");
    }
    static void placeStandIn(const fs::path& where) {
        fs::create_directories(fs::absolute(where).parent_path());
        fs::copy_file(besideProgram(L"orvo_standin.exe"), where, fs::copy_options::overwrite_existing);
    }
    TempDir dir;
};

}  // namespace

TEST_F(EmulatorLaunch, PassesTheCommandLineAsBuilt) {
    placeStandIn(emulator::kExecutable);
    LaunchInputs inputs;
    inputs.gameNumber = 12;
    inputs.romPath = "C:\\My Roms\\\xEB\xA1\xAC \"quoted\\\"";  // blanks, Hangul, quotes, backslashes
    inputs.rotationIndex = 1;
    const std::vector<std::string> commandLines = {
        buildLaunchCommand(inputs),
        " 3 --use-sound=no --renderer=renderer-sft.orv --use-renderer-cfg-file=tavrix-renderer-sft.cfg "
        "--controller=controller.orv --roms-directory=.\\roms",
        " 7 --roms-directory=\"D:\\quoted path\\\\\" --x=caf\xC3\xA9",
        " 1 orvo.exe --roms-directory=\t.\\tab\\",
    };
    for (const std::string& commandLine : commandLines) {
        SCOPED_TRACE(commandLine);
        EmulatorProcess process;
        process.start(commandLine, false);
        EXPECT_TRUE(process.started());
        EXPECT_EQ(process.wait(), 0u);
        EXPECT_FALSE(process.started());
        EXPECT_EQ(readFile("orvo-command-line.txt"), commandLine);
        EXPECT_EQ(readFile("orvo-startup.txt"), "flags=0 x=0 y=0 w=0 h=0");
    }
}

TEST_F(EmulatorLaunch, WaitHandlesMessagesUntilTheEmulatorEnds) {
    placeStandIn(emulator::kExecutable);
    setEnvironment(L"ORVO_STANDIN_SLEEP_MS", L"500");
    setEnvironment(L"ORVO_STANDIN_EXIT", L"7");
    int ticks = 0;
    MessageTimer timer([&ticks] { ++ticks; });
    timer.start(20);
    PostQuitMessage(3);  // a quit during the wait is kept for the caller's loop

    EmulatorProcess process;
    const ULONGLONG before = GetTickCount64();
    process.start(" 1", false);
    EXPECT_EQ(errorOf([&] { process.start(" 2", false); }),
              "Cannot start \"orvo.exe\". The emulator is still running");
    EXPECT_EQ(process.wait(), 7u);
    EXPECT_GE(GetTickCount64() - before, 450u);
    EXPECT_GE(ticks, 5);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
    EXPECT_EQ(readFile("orvo-command-line.txt"), " 1");
}

TEST_F(EmulatorLaunch, HideConsoleStartsItOffScreenAndHidesIt) {
    placeStandIn(emulator::kExecutable);
    setEnvironment(L"ORVO_STANDIN_WINDOW", L"1");
    setEnvironment(L"ORVO_STANDIN_SLEEP_MS", L"1500");
    struct Case {
        bool hideConsole;
        const char* startup;
        const char* window;
    };
    const std::string offScreen =
        "flags=" + std::to_string(STARTF_USEPOSITION | STARTF_USESIZE) + " x=5000 y=5000 w=1 h=1";
    for (const Case& c : {Case{true, offScreen.c_str(), "visible=0"},
                          Case{false, "flags=0 x=0 y=0 w=0 h=0", "visible=1"}}) {
        SCOPED_TRACE(c.hideConsole);
        EmulatorProcess process;
        process.start(" 5", c.hideConsole);
        process.wait();
        EXPECT_EQ(readFile("orvo-startup.txt"), c.startup);
        EXPECT_EQ(readFile("orvo-window.txt"), c.window);
    }
}

TEST_F(EmulatorLaunch, TakesTheEmulatorOnlyFromTheWorkingDirectory) {
    const std::string missing = "Cannot start \"orvo.exe\". " + windowsErrorText(ERROR_FILE_NOT_FOUND);
    EmulatorProcess process;
    EXPECT_EQ(errorOf([&] { process.start(" 1", false); }), missing);
    EXPECT_FALSE(process.started());

    // An orvo.exe on the search path is not the emulator.
    placeStandIn(fs::path("bin") / emulator::kExecutable);
    const DWORD length = GetEnvironmentVariableW(L"PATH", nullptr, 0);
    std::wstring path(length, L'\0');
    path.resize(GetEnvironmentVariableW(L"PATH", path.data(), length));
    setEnvironment(L"PATH", fs::absolute("bin").wstring() + L";" + path);
    EXPECT_EQ(errorOf([&] { process.start(" 1", false); }), missing);
    setEnvironment(L"PATH", path);
    EXPECT_FALSE(fs::exists("orvo-command-line.txt"));
}

namespace {

// Probes the owner window from inside the plug-in's call.
std::atomic<HWND> probedOwner{nullptr};
std::atomic<int> ownerEnabledDuringCall{-1};
void probeOwner() {
    ownerEnabledDuringCall = IsWindowEnabled(probedOwner) ? 1 : 0;
}

}  // namespace

TEST(RendererPlugin, CallsTheEntryPointOfThePluginInTheWorkingDirectory) {
    TempDir dir;
    const std::string name = emulator::kSoftwareRendererPlugin;
    {
        SoftwareRendererDialog dialog(name);
        const std::string error = errorOf([&] { dialog.run(); });
        EXPECT_EQ(error.rfind("Cannot load the plug-in \"renderer-sft.orv\". ", 0), 0u) << error;
        EXPECT_GT(error.size(), std::string("Cannot load the plug-in \"renderer-sft.orv\". ").size());

        fs::copy_file(besideProgram(L"renderer_standin_no_entry.dll"), name);
        EXPECT_EQ(errorOf([&] { dialog.run(); }), "The plug-in \"renderer-sft.orv\" has no entry point GPUconfigure");
    }
    // The failed attempts left nothing loaded, so the file can be replaced.
    fs::copy_file(besideProgram(L"renderer_standin.dll"), name, fs::copy_options::overwrite_existing);
    const HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    probedOwner = owner;
    SoftwareRendererDialog dialog(name);
    dialog.run(owner);
    const HMODULE plugin = GetModuleHandleW(widePath(name).c_str());
    ASSERT_NE(plugin, nullptr);
    using SetProbe = void (*)(void (*)());
    reinterpret_cast<SetProbe>(reinterpret_cast<void*>(GetProcAddress(plugin, "fakeSetProbe")))(probeOwner);
    dialog.run(owner);
    EXPECT_EQ(ownerEnabledDuringCall, 0);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(readFile("gpuconfigure-calls.txt"), "GPUconfigure\nGPUconfigure\n");
    DestroyWindow(owner);
}

namespace {

struct DialogSeen {
    std::wstring caption;
    std::vector<std::wstring> texts;  // of its static children
};

BOOL CALLBACK collectStatic(HWND child, LPARAM parameter) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    if (lstrcmpiW(className, L"Static") == 0) {
        wchar_t text[512] = {};
        GetWindowTextW(child, text, 512);
        reinterpret_cast<DialogSeen*>(parameter)->texts.emplace_back(text);
    }
    return TRUE;
}

struct DialogSearch {
    DWORD thread;
    HWND found;
};

BOOL CALLBACK findDialogOfThread(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<DialogSearch*>(parameter);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (GetWindowThreadProcessId(window, nullptr) == search->thread && IsWindowVisible(window) &&
        lstrcmpW(className, L"#32770") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Waits on another thread for the dialog that `thread` shows, records it, lets `act` answer it.
std::thread answerDialog(DWORD thread, DialogSeen& seen, std::function<void(HWND)> act) {
    return std::thread([thread, &seen, act] {
        for (int attempt = 0; attempt < 200; ++attempt) {
            DialogSearch search{thread, nullptr};
            EnumWindows(findDialogOfThread, reinterpret_cast<LPARAM>(&search));
            if (search.found != nullptr) {
                Sleep(100);  // let it finish its set-up
                wchar_t caption[128] = {};
                GetWindowTextW(search.found, caption, 128);
                seen.caption = caption;
                EnumChildWindows(search.found, collectStatic, reinterpret_cast<LPARAM>(&seen));
                act(search.found);
                return;
            }
            Sleep(50);
        }
    });
}

bool contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
    for (const auto& each : texts)
        if (each == text) return true;
    return false;
}

}  // namespace

TEST(Dialogs, MessageBoxAndFolderBrowser) {
    const DWORD self = GetCurrentThreadId();
    DialogSeen box;
    std::thread answer = answerDialog(self, box, [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); });
    reportError(nullptr, "Cannot create file \"tavrix.ini\". Access is denied");
    answer.join();
    EXPECT_EQ(box.caption, L"Tavrix");
    EXPECT_TRUE(contains(box.texts, L"Cannot create file \"tavrix.ini\". Access is denied."));

    DialogSeen cancelled;
    answer = answerDialog(self, cancelled, [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(chooseFolder(nullptr, "Select rom path:"), "");
    answer.join();
    EXPECT_TRUE(contains(cancelled.texts, L"Select rom path:"));

    TempDir dir;
    // A name outside ASCII, returned as UTF-8. (Wine's folder browser here does not select a
    // folder with a Hangul name by its path, so the accented Latin letter stands in.)
    const fs::path folderName(L"Caf\u00E9 roms");
    fs::create_directory(folderName);
    const std::wstring target = fs::absolute(folderName).wstring();
    DialogSeen chosen;
    answer = answerDialog(self, chosen, [&target](HWND dialog) {
        // The browser fills its tree lazily; on a busy machine the first selection may land
        // before the folder's branch exists, so it is made again once the tree has settled.
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(target.c_str()));
        Sleep(500);
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(target.c_str()));
        Sleep(100);
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    const std::string folder = chooseFolder(nullptr, "Select rom path:");
    answer.join();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.find("\\Caf\xC3\xA9 roms"), std::string::npos) << folder;
    EXPECT_TRUE(fs::equivalent(fs::path(widePath(folder)), fs::path(target))) << folder;
}

TEST(Joystick, ReportsComeThroughTheMessageLoopAndNoDeviceMeansNoCapture) {
    auto source = std::make_shared<tavrix::test::FakeJoystickSource>();
    source->attach(1);
    source->state[1] = JoystickReading{65535, 0, std::nullopt, 0b10};
    Joystick joystick(source);
    JoystickPoller& poller = joystick.poller();
    poller.setPort(1);
    poller.setPolling(true);
    poller.setInterval(20);
    poller.scaling().setXScaledBy(2);
    poller.scaling().setYScaledBy(2);
    std::vector<std::array<int, 3>> moves;
    poller.onMove = [&moves](int x, int y, uint16_t buttons, bool) { moves.push_back({x, y, buttons}); };
    ASSERT_TRUE(poller.startCapture());

    for (ULONGLONG end = GetTickCount64() + 3000; GetTickCount64() < end && moves.size() < 3;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    ASSERT_GE(moves.size(), 3u);
    EXPECT_EQ(moves[0], (std::array<int, 3>{2, 0, 0b10}));

    // The fake device goes away: the capture ends and the timer stops.
    source->detach(1);
    poller.poll();
    EXPECT_FALSE(poller.capturing());

    // The system's joysticks: none is attached here, so the ports have no device.
    auto system = winmmJoystickSource();
    for (int port : {0, 1}) {
        EXPECT_EQ(system->capabilities(port).xMax, 0);
        EXPECT_FALSE(system->acquire(port));
        EXPECT_FALSE(system->read(port).has_value());
    }
}
