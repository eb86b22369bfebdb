// The window's sequences that span pages, without widgets: which page a Save or Cancel shows,
// the filter, the sort choice of a header click, the reload of the list options, the
// selection that fills the Game Info page, the capture caption and the launch.
#include "core/ini_document.h"
#include "fixtures/model_window.h"
#include "fixtures/romset_cases.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <algorithm>

using namespace tavrix;
using namespace tavrix::test;

// A Save that cannot write stays on its page (see the windows' write-fault tests). Either
// button gives the list the focus.
TEST(WindowModel, SaveShowsGameInfoAndCancelShowsOrKeepsItsPage) {
    const struct {
        int page;
        const char* control;
        int shown;  // the page in front afterwards
    } cases[] = {
        {kSoundPage, "B11", kGameInfoPage},   {kSoundPage, "B12", kSoundPage},
        {kVideoPage, "B09", kGameInfoPage},   {kVideoPage, "B06", kVideoPage},
        {kGeneralPage, "B07", kGameInfoPage}, {kGeneralPage, "B05", kAboutPage},
        {kControlsPage, "B04", kGameInfoPage}, {kControlsPage, "B03", kAboutPage},
        {kAboutPage, "B08", kGameInfoPage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        TempDir dir;
        writeFile("tavrix.ini", "[Tavrix]\r\n");
        ModelWindow window;
        window.model.showPage(kAboutPage);
        window.model.command(c.page, c.control, ControlEvent::Click);
        EXPECT_EQ(window.shownPage, c.shown);
        EXPECT_EQ(window.focused, "LV0");
        EXPECT_TRUE(window.errors.empty());
    }
}

// Keys on a first start: the panel's, then the pages', the buttons' and the texts' that take keys.
TEST(WindowModel, KeysSwitchPagesPressButtonsAndRunTheTextsThatTakeKeys) {
    TempDir dir;
    writeDatabase({{"Pictured", "pic", "none", "none", {1}}}, "first-startup=1\r\n");
    writeFile("snap/pic/kxd3d001.bmp", "BM");
    ModelWindow window;
    WindowModel& model = window.model;
    model.FormShow();
    constexpr int kTab = 0x09, kReturn = 0x0D, kSpace = 0x20, kPageUp = 0x21, kPageDown = 0x22, kRight = 0x27,
                  kDown = 0x28;
    const KeyModifiers none, ctrl{true}, ctrlShift{true, true}, ctrlAlt{true, false, true};
    // What the window shows: the page in front, the focus, the panel and its choice, the view
    // in front on Game Info and the window caption.
    const auto state = [&] {
        const LanguagePanelModel& panel = model.startup.panel;
        return "page " + std::to_string(model.currentPage()) + ", focus " + window.focused +
               (panel.visible ? ", panel " + std::string(panel.koreanChecked ? "RB1" : panel.englishChecked ? "RB2" : "-")
                              : "") +
               (model.gameInfo.panelShown ? ", snapshot" : ", files") + ", " + window.caption;
    };
    ASSERT_EQ(state(), "page 0, focus RB1, panel -, files, Tavrix");
    const struct {
        const char* control;
        int key;
        KeyModifiers modifiers;
        bool taken;
        const char* after;
    } cases[] = {
        {"RB1", kTab, ctrl, false, "page 0, focus RB1, panel -, files, Tavrix"},  // no page under the panel
        {"RB1", kReturn, none, true, "page 0, focus RB1, panel -, files, Tavrix"},  // OK may not be pressed yet
        {"RB1", kRight, none, true, "page 0, focus RB2, panel RB2, files, Tavrix"},
        {"RB2", kDown, none, true, "page 0, focus RB1, panel RB1, files, Tavrix"},
        {"RB1", kSpace, none, false, "page 0, focus RB1, panel RB1, files, Tavrix"},  // the button's own
        {"RB1", kReturn, none, true, "page 0, focus LV0, snapshot, Tavrix"},
        {"LV0", kTab, ctrl, true, "page 1, focus LV0, snapshot, Tavrix"},
        {"LV0", kPageDown, ctrl, true, "page 2, focus LV0, snapshot, Tavrix"},
        {"CB4", kTab, ctrlShift, true, "page 1, focus PC1, snapshot, Tavrix"},
        {"PC1", kPageUp, ctrl, true, "page 0, focus PC1, snapshot, Tavrix"},
        {"PC1", kPageUp, ctrl, true, "page 5, focus PC1, snapshot, Tavrix"},
        {"B13", kTab, ctrl, true, "page 0, focus PC1, snapshot, Tavrix"},
        {"LV0", kTab, ctrlAlt, false, "page 0, focus PC1, snapshot, Tavrix"},
        {"L1", kSpace, none, true, "page 0, focus PC1, files, Tavrix"},
        {"L1", kReturn, none, true, "page 0, focus PC1, snapshot, Tavrix"},
        {"L1", kReturn, ctrl, false, "page 0, focus PC1, snapshot, Tavrix"},
        {"L2", kReturn, none, false, "page 0, focus PC1, snapshot, Tavrix"},  // a text that takes no keys
        {"LV0", kPageUp, ctrl, true, "page 5, focus PC1, snapshot, Tavrix"},
        {"B08", kReturn, none, true, "page 0, focus LV0, snapshot, Tavrix"},
        {"LV0", kPageUp, ctrl, true, "page 5, focus LV0, snapshot, Tavrix"},
        {"LV0", kPageUp, ctrl, true, "page 4, focus LV0, snapshot, Tavrix"},
        {"L23", kSpace, none, true, "page 4, focus E4, snapshot, Tavrix - 키 또는 버튼을 누르세요..."},
        {"E4", kTab, ctrl, false, "page 4, focus E4, snapshot, Tavrix - 키 또는 버튼을 누르세요..."},
        {"B03", kReturn, none, true, "page 4, focus LV0, snapshot, Tavrix"},
        {"L31", kReturn, none, true, "page 4, focus E4, snapshot, Tavrix - 키 또는 버튼을 누르세요..."},
        {"B04", kSpace, none, false, "page 4, focus E4, snapshot, Tavrix - 키 또는 버튼을 누르세요..."},
        {"B04", kReturn, none, true, "page 0, focus LV0, snapshot, Tavrix"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.control) + " " + std::to_string(c.key));
        EXPECT_EQ(model.keyDown(c.control, c.key, c.modifiers), c.taken);
        EXPECT_EQ(state(), c.after);
    }
    EXPECT_TRUE(std::filesystem::exists("tavrix-controller.cfg")) << "saved by Enter on Save";
    EXPECT_TRUE(window.errors.empty());
}

TEST(WindowModel, ListOptionsFilterSortAndWidenTheListInTheirOrder) {
    TempDir dir;
    writeFile("tavrix.ini", "[Tavrix]\r\nsorting-type=11\r\n"
                            "[Game-1]\r\nGameName=B\r\nGameStatus=2\r\n[Game-2]\r\nGameName=A\r\nGameStatus=1\r\n"
                            "[Game-3]\r\nGameName=C\r\nGameStatus=2\r\n");
    ModelWindow window;
    WindowModel& model = window.model;
    model.FormShow();
    ASSERT_EQ(window.selected, 2) << "by name, ascending: A first";
    const auto numbers = [&] {
        std::string shown;
        for (const GameListRow& entry : model.list.entries) shown += std::to_string(entry.number);
        return shown;
    };
    // Each user action on the General page, the steps it takes, and the list afterwards.
    const struct {
        const char* control;
        std::function<void()> field;
        const char* steps;
        const char* entries;
    } cases[] = {
        // Filtered: the list shown afresh, sorted, its first entry selected and filled.
        {"CB26", [&] { model.general.showFullRomset = true; },
         "entries select1 draw0 focus draw1", "13"},
        // Back to every game: read again, with the count line.
        {"CB26", [&] { model.general.showFullRomset = false; },
         "entries draw1 select2 draw0 focus draw1", "213"},
        {"RG2Item3", [&] { model.general.sortChoice = 3; }, "arrows order draw1", "213"},
        {"CB27", [&] { model.general.showAllColumns = true; }, "columns width802 draw1", "213"},
    };
    for (const auto& c : cases) {
        window.log.clear();
        c.field();
        model.command(kGeneralPage, c.control, ControlEvent::Click);
        EXPECT_EQ(window.log, c.steps) << c.control;
        EXPECT_EQ(numbers(), c.entries) << c.control;
    }
    EXPECT_EQ(model.list.headerImages, (std::array<int, 3>{-1, -1, 4}));
    // A header click selects the matching sort choice before the list is sorted.
    window.log.clear();
    model.LV0ColumnClick(1);
    EXPECT_EQ(model.general.sortChoice, 2);
    EXPECT_EQ(window.log, "arrows arrows order draw1 order");
    // Cancel sets the stored options back; only those that changed run their handlers.
    window.log.clear();
    model.command(kGeneralPage, "B05", ControlEvent::Click);
    EXPECT_EQ(window.log, "columns width652 arrows order focus draw1");
    EXPECT_EQ(model.general.sortChoice, 1);
    EXPECT_TRUE(model.list.ascending);
    EXPECT_TRUE(window.errors.empty());
}

TEST(WindowModel, TheGameInfoPageFillsOnlyWhenTheSelectionChanges) {
    TempDir dir;
    // One game whose archive is damaged: each fill reports it once.
    writeDatabase({{"Broken", "broken", "none", "none", {5}}});
    writeFile("roms/broken.zip", "damaged");
    ModelWindow window;
    window.guard([&] { window.model.FormShow(); });
    EXPECT_EQ(window.errors.size(), 1u) << "the start's selection of the first game";
    // The rescan ends on the one game, which is the first: no second fill, no second box.
    window.model.showPage(kGeneralPage);
    window.guard([&] { window.model.command(kGeneralPage, "B02", ControlEvent::Click); });
    EXPECT_EQ(window.errors, std::vector<std::string>(2, "ZF: Archive is damaged. Open failed - Native error: 00048."));
    EXPECT_EQ(window.shownPage, kGeneralPage);
    // The filter empties the list and the page; the toggle then does nothing.
    window.model.general.showFullRomset = true;
    window.model.command(kGeneralPage, "CB26", ControlEvent::Click);
    EXPECT_TRUE(window.model.gameInfo.title.empty() && window.model.gameInfo.panelShown);
    window.model.command(kGameInfoPage, "L3", ControlEvent::Click);
    EXPECT_TRUE(window.model.gameInfo.panelShown);
    EXPECT_EQ(window.errors.size(), 2u);
}

TEST(WindowModel, ACaptureSetsTheWindowCaptionUntilAKeyCompletesIt) {
    TempDir dir;
    writeFile("tavrix.ini", "[Tavrix]\r\nenglish-version=1\r\n");
    ModelWindow window;
    WindowModel& model = window.model;
    model.FormShow();
    model.showPage(kControlsPage);
    window.log.clear();
    model.command(kControlsPage, "L27", ControlEvent::DoubleClick);
    EXPECT_EQ(window.caption, "Tavrix - Press key or button...");
    EXPECT_EQ(window.log, "draw4 capture draw4");
    model.E4KeyDown(0x26);  // VK_UP
    EXPECT_EQ(model.controls.state.captions[6], "up");
    EXPECT_EQ(window.caption, "Tavrix");
    EXPECT_EQ(window.focused, "L27") << "the input takes the focus back from the key receiver";
    // A joystick likewise.
    model.command(kControlsPage, "L29", ControlEvent::DoubleClick);
    model.J1JoyMove(1, 0, 1, 0);
    EXPECT_EQ(model.controls.state.captions[8], "joy1 left");
    EXPECT_EQ(window.focused, "L29");
    // Leaving the page ends a capture; coming back reloads the file. A joystick's report
    // meanwhile moves no focus to the hidden page.
    model.command(kControlsPage, "L28", ControlEvent::DoubleClick);
    model.showPage(kGameInfoPage);
    EXPECT_EQ(window.caption, "Tavrix");
    window.focused = "LV0";
    model.J1JoyMove(1, 0, 1, 0);
    EXPECT_EQ(window.focused, "LV0");
    model.showPage(kControlsPage);
    EXPECT_EQ(model.controls.state.captions[7], "S");
}

TEST(WindowModel, LaunchInputsComeFromThePageModelsAsTheyStand) {
    TempDir dir;
    writeFile("tavrix.ini", "[Tavrix]\r\nroms-directory=.\\my roms\r\nrenderer=renderer-sft.orv\r\n"
                            "[Game-1]\r\nGameName=A\r\nVantrel-plug-in=0\r\n");
    ModelWindow window;
    WindowModel& model = window.model;
    model.FormShow();
    // Unsaved changes of three pages.
    model.sound.soundChecked = false;
    model.video.values.rotation = 3;
    model.general.pathText = "D:\\roms";
    EXPECT_EQ(buildLaunchCommand(model.launchInputs(1)),
              " 1 --use-sound=no --renderer=renderer-sft.orv --use-renderer-cfg-file=tavrix-renderer-sft.cfg"
              " --controller=controller.orv --roms-directory=D:\\roms --rotate=3");
}

TEST(WindowModel, SaveStoresTheSortingTheListShows) {
    // Stored before the start, and what Save then writes: the shown order, never a value
    // outside 0 to 3 and 10 to 13. Without an RG2 item the list is sorted by title.
    const std::pair<const char*, const char*> cases[] = {
        {"", "1"}, {"sorting-type=4\r\n", "1"}, {"sorting-type=14\r\n", "11"}, {"sorting-type=-5\r\n", "1"},
        {"sorting-type=13\r\n", "13"}, {"sorting-type=2\r\n", "2"}, {"sorting-type=10\r\n", "10"}};
    for (const auto& [stored, written] : cases) {
        TempDir dir;
        writeFile("tavrix.ini", std::string("[Tavrix]\r\n") + stored);
        ModelWindow first;
        first.model.FormShow();
        first.model.command(kGeneralPage, "B07", ControlEvent::Click);
        EXPECT_EQ(IniDocument::load("tavrix.ini").readString("Tavrix", "sorting-type", ""), written) << stored;
        ModelWindow next;
        next.model.FormShow();
        EXPECT_EQ(next.model.list.sortColumn, first.model.list.sortColumn) << stored;
        EXPECT_EQ(next.model.list.ascending, first.model.list.ascending) << stored;
    }
}

namespace {

std::vector<int> fileStatuses(int games) {
    const auto document = IniDocument::load("tavrix.ini");
    std::vector<int> out;
    for (int n = 1; n <= games; ++n) out.push_back(document.readInteger("Game-" + std::to_string(n), "GameStatus", -1));
    return out;
}

}  // namespace

TEST(WindowModel, ScanCountsFollowsThePathBoxAndSeesWhatChangedSinceTheLastScan) {
    {
        // 80 games, each with one of its two files; those divisible by 7, and 80, with both.
        TempDir dir;
        std::vector<RomsetCase> games;
        for (int n = 1; n <= 80; ++n) {
            const std::uint32_t crc = 0x1000u + static_cast<std::uint32_t>(n);
            games.push_back({"Game " + std::to_string(n), "set" + std::to_string(n), "none", "none", {crc, crc + 0x100000u}});
            writeArchive("set" + std::to_string(n), n % 7 == 0 || n == 80 ? std::vector<std::uint32_t>{crc, crc + 0x100000u}
                                                                          : std::vector<std::uint32_t>{crc});
        }
        writeDatabase(games);
        ModelWindow window;
        window.model.FormShow();
        window.model.scanRomsets();
        EXPECT_EQ(window.model.general.countLine, "Games: 12 from 80");
        const std::vector<int> statuses = fileStatuses(80);
        EXPECT_EQ(std::count(statuses.begin(), statuses.end(), 2), 12);
        EXPECT_EQ(std::count(statuses.begin(), statuses.end(), 1), 68);
    }
    TempDir dir;
    std::vector<RomsetCase> games = kCases;
    games.push_back({"Disk", "none", "none", "none", {}});
    writeDatabase(games, "roms-directory=.\\nowhere\r\n");
    writeCaseRomsets();
    writeFile("nowhere", "a file, not a folder");
    ModelWindow window;
    WindowModel& model = window.model;
    model.FormShow();
    // A romset directory that is no folder, the path box as typed (unsaved), and emptied.
    const std::pair<const char*, std::vector<int>> paths[] = {
        {nullptr, {0, 0, 0, 0, 0}}, {".\\roms", {2, 2, 1, 0, 0}}, {"", {0, 0, 0, 0, 0}}};
    for (const auto& [path, statuses] : paths) {
        if (path != nullptr) model.general.pathText = path;
        model.scanRomsets();
        EXPECT_EQ(fileStatuses(5), statuses) << (path ? path : "stored");
    }
    EXPECT_EQ(model.general.countLine, "Games: 0 from 5");

    // The shared parent loses a file (same size: the CRC changes in place) and the partial set
    // is completed; then the database itself changes on disk.
    model.general.pathText = ".\\roms";
    writeArchive("full", {1, 0x77});
    writeArchive("part", {0x10, 0x11, 0x12});
    model.scanRomsets();
    EXPECT_EQ(fileStatuses(5), (std::vector<int>{1, 1, 2, 0, 0}));
    EXPECT_EQ(model.general.countLine, "Games: 1 from 5");
    writeDatabase({kCases.begin(), kCases.begin() + 2});
    model.general.showFullRomset = true;
    model.command(kGeneralPage, "CB26", ControlEvent::Click);
    model.general.showFullRomset = false;
    model.command(kGeneralPage, "CB26", ControlEvent::Click);  // refills the list from the file
    model.scanRomsets();
    EXPECT_EQ(fileStatuses(2), (std::vector<int>{1, 1}));
    EXPECT_EQ(model.general.countLine, "Games: 0 from 2");
    EXPECT_TRUE(window.errors.empty());
}

TEST(WindowModel, WhileTheScanReportsTheWindowShowsTheScanAndTheFileWaitsForItsEnd) {
    TempDir dir;
    // Three games share a damaged BIOS, in the Korean interface.
    std::vector<RomsetCase> games = kCases;
    for (const char* name : {"Shared A", "Shared B", "Shared C"})
        games.push_back({name, "own" + std::string(name).substr(7), "none", "broken", {0x30, 0x31}});
    writeDatabase(games);
    std::string ini = readFile("tavrix.ini");
    writeFile("tavrix.ini", ini.replace(ini.find("english-version=1"), 17, "english-version=0"));
    writeCaseRomsets();
    for (const char* own : {"ownA", "ownB", "ownC"}) writeArchive(own, {0x30, 0x31});
    writeFile("roms/broken.zip", "not an archive");
    // The caption, the rescan button, the file and the Game Info page each time a box is up.
    struct Watching : ModelWindow {
        std::vector<std::string> seen;
        std::string fileBefore;
        void reportError(const std::string& text) override {
            seen.push_back(progressShape(caption) + "|" + std::to_string(model.general.rescanEnabled) + "|" +
                           std::to_string(readFile("tavrix.ini") == fileBefore) + "|" + model.gameInfo.title);
            ModelWindow::reportError(text);
        }
    } window;
    window.model.FormShow();
    window.fileBefore = readFile("tavrix.ini");
    window.model.scanRomsets();
    // The last game's page is filled before its report, as the page's own fill does.
    const std::string scanning = "Tavrix - 읽는 중... # / 7|0|1|";
    EXPECT_EQ(window.seen, (std::vector<std::string>{scanning + "Complete", scanning + "Complete", scanning + "Shared C"}));
    EXPECT_EQ(window.errors, std::vector<std::string>(3, "ZF: Archive is damaged. Open failed - Native error: 00048."));
    // The broken BIOS is listed after each game's own archive, which had marked every file
    // already, so those games stay complete.
    EXPECT_EQ(fileStatuses(7), (std::vector<int>{2, 2, 1, 0, 2, 2, 2}));
    EXPECT_EQ(window.caption, "Tavrix");
    EXPECT_TRUE(window.model.general.rescanEnabled);
    EXPECT_EQ(window.model.general.countLine, "보유 게임: 5 중 7");
}

TEST(WindowModel, EscOrACloseStopsTheScanAndTheUsersActionsWaitForItsEnd) {
    // The repeated cases in emulator order: the damaged BIOS shows a box for games 5, 6, 12,
    // 13, ... At a box the user presses Esc or closes the window; the statuses written are the
    // serial rule's over the games applied by then.
    const struct Case {
        int stopAtBox;  // 0: no stop
        bool close;
        bool filtered;
        std::size_t applied;  // games that get their new status
    } cases[] = {{0, false, false, 40}, {1, false, false, 5}, {3, false, true, 12}, {2, true, false, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.stopAtBox) + (c.close ? " close" : " Esc"));
        TempDir dir;
        writeRepeatedCases(40);
        if (c.filtered) writeFile("tavrix.ini", readFile("tavrix.ini").replace(0, 8, "[Tavrix]\r\nshow-full-romset=1"));
        std::vector<int> order(40);
        for (int n = 1; n <= 40; ++n) order[static_cast<std::size_t>(n - 1)] = n;
        ModelWindow window;
        WindowModel& model = window.model;
        model.FormShow();
        const SerialScan serial = serialScan(order, c.applied, "");
        int boxes = 0;
        std::string atBoxes;
        window.boxShown = [&] {
            atBoxes += model.scanning() && window.locked ? 'L' : 'u';
            // What the locked controls would do, were they reached: a save of the General page
            // (keys the serial rule's file lacks), a second scan, a launch, a sort.
            model.command(kGeneralPage, "B07", ControlEvent::Click);
            model.command(kGeneralPage, "B02", ControlEvent::Click);
            model.LV0DblClick();
            model.LV0ColumnClick(0);
            if (++boxes == c.stopAtBox) {
                EXPECT_EQ(c.close ? model.closeRequested() : model.stopScan(), !c.close);
            }
        };
        window.log.clear();
        model.scanRomsets();
        EXPECT_EQ(readFile("tavrix.ini"), serial.bytes);
        EXPECT_EQ(model.lastScan().gamesScanned(), c.applied);
        EXPECT_EQ(std::to_string(model.lastScan().playableGames()) + "/40", serial.countLine);
        const auto boxesShown = static_cast<std::size_t>(std::count(serial.applied.begin(), serial.applied.end(), '@'));
        EXPECT_EQ(atBoxes, std::string(boxesShown, 'L'));
        EXPECT_TRUE(window.started.empty());
        EXPECT_EQ(model.list.sortColumn, GameListModel::kEmulatorOrderColumn);
        EXPECT_EQ(model.list.entries.size(), c.filtered ? model.lastScan().playableGames() : 40u);
        EXPECT_EQ(window.closed, c.close);
        EXPECT_EQ(window.log.ends_with("close"), c.close);
        // Unlocked at the end, the progress gone; Esc and a close do their usual again.
        EXPECT_FALSE(model.scanning() || window.locked);
        ASSERT_FALSE(window.progress.empty());
        EXPECT_EQ(window.progress.front(), std::make_pair(0, 40));
        EXPECT_EQ(window.progress.back(), std::make_pair(0, 0));
        EXPECT_FALSE(model.stopScan());
        EXPECT_TRUE(model.closeRequested());
    }
}
