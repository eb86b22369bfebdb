#include "app/clickable_label.h"
#include "app/game_info_page.h"
#include "app/game_list.h"
#include "app/general_page.h"
#include "app/romset_scan.h"
#include "fixtures/app_fixture.h"
#include "fixtures/romset_cases.h"
#include "fixtures/run_audit.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace tavrix::test;

namespace {

using Game = RomsetCase;

// Statuses by game number, as the list's icons and as the file's keys.
std::vector<int> listStatuses(TF1& window) {
    std::vector<int> out(static_cast<std::size_t>(window.LV0->topLevelItemCount()), -1);
    for (int i = 0; i < window.LV0->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = window.LV0->topLevelItem(i);
        const int number = GameList::numberOf(item);
        if (number >= 1 && number <= static_cast<int>(out.size()))
            out[static_cast<std::size_t>(number - 1)] = GameList::statusOf(item);
    }
    return out;
}

std::vector<int> fileStatuses(int games) {
    const auto document = tavrix::IniDocument::load("tavrix.ini");
    std::vector<int> out;
    for (int n = 1; n <= games; ++n) out.push_back(document.readInteger("Game-" + std::to_string(n), "GameStatus", -1));
    return out;
}

QStringList listNames(TF1& window) {
    QStringList names;
    for (int i = 0; i < window.LV0->topLevelItemCount(); ++i) names << window.LV0->topLevelItem(i)->text(0);
    return names;
}

}  // namespace

TEST(RomsetScan, StatusesIconsCountAndOneWriteOfTheFile) {
    TempDir dir;
    writeDatabase(kCases);
    writeCaseRomsets();
    ReportRecorder recorder;
    auto window = startWindow();
    EXPECT_EQ(listStatuses(*window), (std::vector<int>{4, 4, 4, 4}));
    EXPECT_EQ(window->generalPage->L16->text(), "Games: 0 from 4");

    window->scanRomsets();
    EXPECT_TRUE(recorder.reports.isEmpty());
    EXPECT_EQ(listStatuses(*window), kCaseStatuses);
    EXPECT_EQ(fileStatuses(4), kCaseStatuses);
    EXPECT_EQ(window->generalPage->L16->text(), "Games: 2 from 4");
    const QTreeWidgetItem* first = window->LV0->topLevelItem(0);
    EXPECT_EQ(first->icon(0).cacheKey(), window->gameList->images().icon(2).cacheKey());

    // The rest of the file is kept: settings, game keys, the other section.
    const auto document = tavrix::IniDocument::load("tavrix.ini");
    EXPECT_EQ(document.readString("Tavrix", "english-version", ""), "1");
    EXPECT_EQ(document.readString("Game-2", "ParentRomSetName", ""), "full");
    EXPECT_EQ(document.readString("Game-3", "Rom-2", ""), "f1.bin:00000011");
    EXPECT_EQ(document.readString("Extra", "kept", ""), "yes");
    EXPECT_EQ(document.sectionNames(),
              (std::vector<std::string>{"Tavrix", "Game-1", "Game-2", "Game-3", "Game-4", "Extra"}));

    // The scan ends on the last entry, and the page shows that game with its marks.
    EXPECT_EQ(window->LV0->currentItem(), window->LV0->topLevelItem(3));
    EXPECT_EQ(window->gameInfoPage->L1->text(), "Nothing");
    EXPECT_EQ(window->gameInfoPage->marks(), (std::vector<bool>{false, false}));
    EXPECT_EQ(window->windowTitle(), "Tavrix");
    EXPECT_TRUE(window->generalPage->B02->isEnabled());

    // The page's own fill of each game agrees with the scan's verdict.
    for (int i = 0; i < 4; ++i) {
        window->LV0->setCurrentItem(window->LV0->topLevelItem(i));
        const std::vector<bool> marks = window->gameInfoPage->marks();
        const auto found = std::count(marks.begin(), marks.end(), true);
        const int status = found == static_cast<long>(marks.size()) ? 2 : (found == 0 ? 0 : 1);
        EXPECT_EQ(status, GameList::statusOf(window->LV0->topLevelItem(i))) << i;
    }
}

TEST(RomsetScan, EightyGamesTwelvePlayable) {
    TempDir dir;
    std::vector<Game> games;
    for (int n = 1; n <= 80; ++n) {
        const std::uint32_t crc = 0x1000u + static_cast<std::uint32_t>(n);
        games.push_back({"Game " + std::to_string(n), "set" + std::to_string(n), "none", "none", {crc, crc + 0x100000u}});
        // Every game has one of its files; those divisible by 7 both (7, 14, ..., 77, and 80 is not).
        writeArchive("set" + std::to_string(n), n % 7 == 0 || n == 80 ? std::vector<std::uint32_t>{crc, crc + 0x100000u}
                                                                      : std::vector<std::uint32_t>{crc});
    }
    writeDatabase(games);
    ReportRecorder recorder;
    auto window = startWindow();
    window->scanRomsets();
    EXPECT_EQ(window->generalPage->L16->text(), "Games: 12 from 80");
    EXPECT_EQ(window->gameList->playableCount(), 12);
    const std::vector<int> statuses = fileStatuses(80);
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), 2), 12);
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), 1), 68);
}

TEST(RomsetScan, FilteredListGainsTheNewlyPlayableAndLosesTheBroken) {
    TempDir dir;
    std::vector<Game> games = kCases;
    games[2].status = 2;  // "Partial" was playable at the last scan
    games[0].status = 0;  // "Complete" was not
    writeDatabase(games, "show-full-romset=1\r\n");
    writeCaseRomsets();
    ReportRecorder recorder;
    auto window = startWindow();
    ASSERT_TRUE(window->generalPage->CB26->isChecked());
    EXPECT_EQ(listNames(*window), QStringList({"Partial"}));

    window->scanRomsets();
    EXPECT_TRUE(window->generalPage->CB26->isChecked());
    EXPECT_EQ(listNames(*window), QStringList({"Complete", "Clone"}));
    // The count line keeps the whole database's figures.
    EXPECT_EQ(window->generalPage->L16->text(), "Games: 2 from 4");
    EXPECT_EQ(fileStatuses(4), kCaseStatuses);
}

TEST(RomsetScan, RescanButtonSelectsTheFirstEntryAndStaysOnTheGeneralPage) {
    TempDir dir;
    writeDatabase(kCases);
    writeCaseRomsets();
    ReportRecorder recorder;
    auto window = startWindow();
    window->showPage(1);
    ASSERT_TRUE(window->generalPage->B02->isVisible());
    QTest::mouseClick(window->generalPage->B02, Qt::LeftButton);
    EXPECT_EQ(fileStatuses(4), kCaseStatuses);
    EXPECT_EQ(window->LV0->currentItem(), window->LV0->topLevelItem(0));
    EXPECT_EQ(window->gameInfoPage->L1->text(), "Complete");
    EXPECT_EQ(window->gameInfoPage->marks(), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(window->PC1->currentIndex(), 1);
    EXPECT_TRUE(recorder.reports.isEmpty());
}

TEST(RomsetScan, DamagedSharedArchiveReportsOncePerGameWhileTheScanWaits) {
    TempDir dir;
    std::vector<Game> games = kCases;
    for (const char* name : {"Shared A", "Shared B", "Shared C"})
        games.push_back({name, "own" + std::string(name).substr(7), "none", "broken", {0x30, 0x31}});
    writeDatabase(games);
    writeCaseRomsets();
    for (const char* own : {"ownA", "ownB", "ownC"}) writeArchive(own, {0x30, 0x31});
    writeFile("roms/broken.zip", "not an archive");

    ReportRecorder recorder;
    auto window = startWindow();
    // Start-up may have written its defaults; the scan writes only at its end.
    const std::string before = readFile("tavrix.ini");
    // What the window looks like each time the box is up.
    struct Seen {
        QString caption;
        bool rescanEnabled;
        bool fileUnchanged;
        QString page;
    };
    std::vector<Seen> seen;
    ErrorReport::setSink([&](const QString& text) {
        recorder.reports.append(text);
        seen.push_back({window->windowTitle(), window->generalPage->B02->isEnabled(), readFile("tavrix.ini") == before,
                        window->gameInfoPage->L1->text()});
    });
    recorder.reports.clear();
    window->scanRomsets();

    ASSERT_EQ(recorder.reports.size(), 3);
    for (const QString& report : recorder.reports)
        EXPECT_EQ(report, "ZF: Archive is damaged. Open failed - Native error: 00048.");
    for (const Seen& s : seen) {
        EXPECT_EQ(s.caption, "Tavrix - Scanning...");
        EXPECT_FALSE(s.rescanEnabled);
        EXPECT_TRUE(s.fileUnchanged);
    }
    // The scan completed. The broken BIOS is listed after each game's own archive, which had
    // marked every file already, so those games stay complete.
    EXPECT_EQ(fileStatuses(7), (std::vector<int>{2, 2, 1, 0, 2, 2, 2}));
    EXPECT_EQ(window->windowTitle(), "Tavrix");
    EXPECT_TRUE(window->generalPage->B02->isEnabled());
    EXPECT_EQ(window->generalPage->L16->text(), "Games: 5 from 7");
    // The last game's page was filled before its report, as the page's own fill does.
    EXPECT_EQ(seen.back().page, "Shared C");
}

TEST(RomsetScan, MissingDirectoryOrEmptyPathBoxFindsNothing) {
    TempDir dir;
    std::vector<Game> games = kCases;
    games.push_back({"Disk", "none", "none", "none", {}});
    writeDatabase(games, "roms-directory=.\\nowhere\r\n");
    writeCaseRomsets();
    writeFile("nowhere", "a file, not a folder");
    ReportRecorder recorder;
    auto window = startWindow();
    window->scanRomsets();
    EXPECT_EQ(fileStatuses(5), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(window->generalPage->L16->text(), "Games: 0 from 5");

    // The path box as typed, unsaved: the romsets are found; emptied, nothing is.
    window->generalPage->E1->setText(".\\roms");
    window->scanRomsets();
    EXPECT_EQ(fileStatuses(5), (std::vector<int>{2, 2, 1, 0, 0}));
    window->generalPage->E1->clear();
    window->scanRomsets();
    EXPECT_EQ(fileStatuses(5), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(window->generalPage->L16->text(), "Games: 0 from 5");
    EXPECT_TRUE(recorder.reports.isEmpty());
}

TEST(RomsetScan, ArchiveChangedBetweenScansIsSeenByTheSecond) {
    TempDir dir;
    writeDatabase(kCases);
    writeCaseRomsets();
    ReportRecorder recorder;
    auto window = startWindow();
    window->scanRomsets();
    ASSERT_EQ(fileStatuses(4), kCaseStatuses);

    // The shared parent loses a file (same size: the CRC changes in place) and the partial set
    // is completed.
    writeArchive("full", {1, 0x77});
    writeArchive("part", {0x10, 0x11, 0x12});
    window->scanRomsets();
    EXPECT_EQ(fileStatuses(4), (std::vector<int>{1, 1, 2, 0}));
    EXPECT_EQ(window->generalPage->L16->text(), "Games: 1 from 4");

    // And a database changed on disk between scans is read afresh.
    std::vector<Game> fewer(kCases.begin(), kCases.begin() + 2);
    writeDatabase(fewer);
    window->generalPage->CB26->setChecked(true);
    window->generalPage->CB26->setChecked(false);  // refills the list from the file
    window->scanRomsets();
    EXPECT_EQ(fileStatuses(2), (std::vector<int>{1, 1}));
    EXPECT_EQ(window->generalPage->L16->text(), "Games: 0 from 2");
}

TEST(RomsetScan, StartupScansWhenAskedAndAfterTheFirstStart) {
    {
        TempDir dir;
        writeDatabase(kCases, "startup-scan=1\r\n");
        writeCaseRomsets();
        ReportRecorder recorder;
        auto window = startWindow();
        EXPECT_EQ(fileStatuses(4), kCaseStatuses);
        // Start-up then selects the first entry.
        EXPECT_EQ(window->LV0->currentItem(), window->LV0->topLevelItem(0));
        EXPECT_EQ(window->gameInfoPage->L1->text(), "Complete");
        EXPECT_EQ(window->PC1->currentIndex(), 0);
    }
    {
        // First start with the start-up scan: two scans, one report each for the damaged archive.
        TempDir dir;
        std::vector<Game> games = kCases;
        games.push_back({"Broken", "broken", "none", "none", {5}});
        writeDatabase(games, "startup-scan=1\r\nfirst-startup=1\r\n");
        writeCaseRomsets();
        writeFile("roms/broken.zip", "damaged");
        ReportRecorder recorder;
        auto window = startWindow();
        EXPECT_TRUE(recorder.reports.isEmpty());  // only the language panel so far
        window->setLanguageChosen();
        window->FormShow();
        // Two scans, then start-up's own selection of the first entry (not the broken game).
        EXPECT_EQ(recorder.reports.size(), 2);
        const auto document = tavrix::IniDocument::load("tavrix.ini");
        EXPECT_EQ(document.readString("Tavrix", "first-startup", ""), "0");
        EXPECT_EQ(fileStatuses(5), (std::vector<int>{2, 2, 1, 0, 0}));
    }
}

TEST(RomsetScan, KoreanCaptionWhileScanning) {
    TempDir dir;
    writeFile("tavrix.ini", "[Tavrix]\r\n[Game-1]\r\nGameName=A\r\nRomSetName=broken\r\nRom-1=a:00000001\r\n");
    writeFile("roms/broken.zip", "damaged");
    ReportRecorder recorder;
    auto window = startWindow();
    QString caption;
    ErrorReport::setSink([&](const QString&) { caption = window->windowTitle(); });
    window->scanRomsets();
    EXPECT_EQ(caption, QString::fromUtf8("Tavrix - 읽는 중..."));
    EXPECT_EQ(RomsetScan::scanningCaption(), QString::fromUtf8("Tavrix - 읽는 중..."));
    EXPECT_EQ(window->windowTitle(), "Tavrix");
    EXPECT_EQ(window->generalPage->L16->text(), QString::fromUtf8("보유 게임: 0 중 1"));
}

TEST(RomsetScan, CommandLineAuditDecidesTheSameStatusesAndWritesTheSameBytes) {
    TempDir dir;
    writeExtendedCases();
    ReportRecorder recorder;
    auto window = startWindow();
    const std::string before = readFile("tavrix.ini");  // as start-up left it
    window->scanRomsets();
    const std::string scanned = readFile("tavrix.ini");
    EXPECT_EQ(listStatuses(*window), kExtendedCaseStatuses);
    EXPECT_EQ(recorder.reports.size(), 2);  // the damaged BIOS, once per game that uses it

    writeFile("tavrix.ini", before);
    const AuditRun run = runAudit({"--write"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(readFile("tavrix.ini"), scanned);
}
