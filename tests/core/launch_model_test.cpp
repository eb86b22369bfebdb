// The launch's rules without a window: which keys of the list launch, the batch request and
// its pending state, one emulator at a time, and the window back after a start that fails.
#include "fixtures/model_window.h"
#include "fixtures/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tavrix;
using namespace tavrix::test;

namespace {

constexpr KeyModifiers kNoKey{}, kCtrl{true}, kShift{false, true}, kAlt{false, false, true};
constexpr KeyModifiers kCtrlShift{true, true}, kCtrlAlt{true, false, true};

const char* const kCommand = " 1 --renderer=renderer-d3d.orv --use-renderer-cfg-file=tavrix-renderer.cfg"
                             " --controller=controller-vantrel.orv --use-controller-cfg-file=tavrix-controller.cfg"
                             " --roms-directory=.\\roms";

}  // namespace

TEST(LaunchModel, KeysOfTheListLaunchOrWriteTheBatchFile) {
    const struct {
        ListKey key;
        KeyModifiers modifiers;
        bool started;
        bool batch;
    } cases[] = {
        {ListKey::Enter, kNoKey, true, false},  {ListKey::Enter, kShift, true, false},
        {ListKey::Enter, kCtrl, false, false}, {ListKey::Enter, kAlt, false, false},
        {ListKey::F11, kCtrl, false, true},    {ListKey::F11, kCtrlShift, false, false},
        {ListKey::F11, kCtrlAlt, false, false}, {ListKey::F11, kNoKey, false, false},
        {ListKey::F11, kShift, false, false},  {ListKey::Other, kCtrl, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.key)) + " " + std::to_string(c.modifiers.ctrl) +
                     std::to_string(c.modifiers.shift) + std::to_string(c.modifiers.alt));
        TempDir dir;
        writeFile("tavrix.ini", "[Tavrix]\r\nsound-filter-cutoff=22050\r\nuse-sound=0\r\n[Game-1]\r\nGameName=A\r\n");
        ModelWindow window;
        window.model.FormShow();
        window.log.clear();
        window.model.LV0KeyDown(c.key, c.modifiers);
        EXPECT_EQ(window.log, c.started ? "hide start show" : "");
        EXPECT_EQ(readFile("tavrix.bat"), c.batch ? std::string("orvo.exe") + " 1 --use-sound=no" +
                                                        std::string(kCommand).substr(2) + "\r\n"
                                                  : "");
        EXPECT_FALSE(window.model.launch.batchRequested);
    }
}

TEST(LaunchModel, PendingRequestOneEmulatorAtATimeAndAFailedStart) {
    TempDir dir;
    writeFile("tavrix.ini", "[Tavrix]\r\n[Game-1]\r\nGameName=A\r\n");
    ModelWindow window;
    WindowModel& model = window.model;
    model.FormShow();
    // Nothing selected: nothing happens, and Ctrl+F11 waits for the next launch.
    window.selected = 0;
    model.LV0DblClick();
    model.LV0KeyDown(ListKey::F11, kCtrl);
    EXPECT_TRUE(model.launch.batchRequested);
    EXPECT_FALSE(std::filesystem::exists("tavrix.bat"));
    window.select(1);
    model.LV0KeyDown(ListKey::Enter, kNoKey);
    EXPECT_EQ(readFile("tavrix.bat"), std::string("orvo.exe") + kCommand + "\r\n");
    EXPECT_TRUE(window.started.empty());

    // While the emulator runs, another launch starts nothing; its end brings the window back.
    window.emulatorEndsAtOnce = false;
    model.video.values.hideConsole = true;
    model.LV0DblClick();
    model.LV0DblClick();
    EXPECT_TRUE(window.hidden && model.launch.running());
    EXPECT_EQ(window.started, std::vector<std::string>{kCommand});
    EXPECT_EQ(window.consoleHidden, std::vector<bool>{true});
    model.emulatorEnded();
    EXPECT_FALSE(window.hidden || model.launch.running());

    // An emulator that cannot start: reported, with the window back at once.
    window.emulatorMissing = true;
    window.guard([&] { model.LV0DblClick(); });
    EXPECT_EQ(window.errors, std::vector<std::string>{"Cannot start \"orvo.exe\". No such file or directory."});
    EXPECT_FALSE(window.hidden || model.launch.running());

    // A batch file that cannot be written: reported, the request cleared, nothing started.
    std::filesystem::remove("tavrix.bat");
    std::filesystem::create_directory("tavrix.bat");
    window.guard([&] { model.LV0KeyDown(ListKey::F11, kCtrl); });
    EXPECT_EQ(window.errors.size(), 2u);
    EXPECT_FALSE(model.launch.batchRequested);
    EXPECT_EQ(window.started.size(), 1u);
}
