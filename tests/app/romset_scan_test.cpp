// The romset scan through the Qt window: the same statuses and bytes as the command-line audit;
// an error box that holds the scan in its own loop.
#include "app/game_list.h"
#include "fixtures/app_fixture.h"
#include "fixtures/romset_cases.h"
#include "fixtures/run_audit.h"

#include <QMessageBox>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <vector>

using namespace tavrix;
using namespace tavrix::test;

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

TEST(RomsetScan, ARealErrorBoxHoldsTheScanAndACloseWaitsForTheWrite) {
    TempDir dir;
    writeExtendedCases();
    auto window = startWindow();
    auto* list = control<QTreeView>(*window, "LV0");
    // The boxes are the real modal ones, each with its own event loop, answered as they open:
    // what the list shows then, and at the second box the user closes the window.
    std::vector<std::string> atBoxes;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        std::string shown;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            shown += std::to_string(GameList::statusOf(list->model()->index(row, 0)));
        atBoxes.push_back(shown);
        if (atBoxes.size() == 2) window->close();
        box->accept();
    });
    answer.start(0);
    window->model().scanRomsets();
    answer.stop();
    EXPECT_EQ(atBoxes, (std::vector<std::string>{"2210444", "2210144"}));
    const IniDocument stored = IniDocument::load("tavrix.ini");
    for (int game = 1; game <= 7; ++game)
        EXPECT_EQ(stored.readInteger("Game-" + std::to_string(game), "GameStatus", -1),
                  game <= 6 ? kExtendedCaseStatuses[static_cast<std::size_t>(game - 1)] : -1) << game;
    EXPECT_TRUE(window->isVisible());
    QApplication::processEvents();
    EXPECT_FALSE(window->isVisible()) << "closed once the scan has ended";
}
