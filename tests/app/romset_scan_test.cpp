// The romset scan through the Qt window: what it shows while an error box waits, and the same
// statuses and bytes as the command-line audit.
#include "fixtures/app_fixture.h"
#include "fixtures/romset_cases.h"
#include "fixtures/run_audit.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <vector>

using namespace tavrix;
using namespace tavrix::test;

namespace {

std::vector<int> fileStatuses(int games) {
    const auto document = IniDocument::load("tavrix.ini");
    std::vector<int> out;
    for (int n = 1; n <= games; ++n) out.push_back(document.readInteger("Game-" + std::to_string(n), "GameStatus", -1));
    return out;
}

}  // namespace

TEST(RomsetScan, DamagedSharedArchiveReportsOncePerGameWhileTheScanWaits) {
    TempDir dir;
    std::vector<RomsetCase> games = kCases;
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
        seen.push_back({window->windowTitle(), control<QPushButton>(*window, "B02")->isEnabled(),
                        readFile("tavrix.ini") == before, control<QLabel>(*window, "L1")->text()});
    });
    recorder.reports.clear();
    window->model().scanRomsets();

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
    EXPECT_TRUE(control<QPushButton>(*window, "B02")->isEnabled());
    EXPECT_EQ(control<QLabel>(*window, "L16")->text(), "Games: 5 from 7");
    // The last game's page was filled before its report, as the page's own fill does.
    EXPECT_EQ(seen.back().page, "Shared C");
}

TEST(RomsetScan, CommandLineAuditDecidesTheSameStatusesAndWritesTheSameBytes) {
    TempDir dir;
    writeExtendedCases();
    ReportRecorder recorder;
    auto window = startWindow();
    const std::string before = readFile("tavrix.ini");  // as start-up left it
    window->model().scanRomsets();
    const std::string scanned = readFile("tavrix.ini");
    std::vector<int> statuses(kExtendedCaseStatuses.size());
    for (const GameListRow& entry : window->model().list.entries) statuses.at(static_cast<std::size_t>(entry.number - 1)) = entry.status;
    EXPECT_EQ(statuses, kExtendedCaseStatuses);
    EXPECT_EQ(recorder.reports.size(), 2);  // the damaged BIOS, once per game that uses it

    writeFile("tavrix.ini", before);
    const AuditRun run = runAudit({"--write"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(readFile("tavrix.ini"), scanned);
}
