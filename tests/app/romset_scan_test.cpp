// The romset scan through the Qt window: the same statuses and bytes as the command-line audit.
#include "fixtures/app_fixture.h"
#include "fixtures/romset_cases.h"
#include "fixtures/run_audit.h"

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
