// The scan's sequence without a window: what it asks of the front end in which order, the
// statuses it decides, and the one write of tavrix.ini at its end.
#include "core/error.h"
#include "core/ini_document.h"
#include "core/romset_scan_model.h"
#include "core/romset_scan_pass.h"
#include "fixtures/romset_cases.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tavrix;
using namespace tavrix::test;

namespace {

// A front end that writes down each step, holds the filter box and a list of game numbers,
// and fails at one status when told to.
class ScanLog : public ScanSteps {
public:
    std::string log;
    bool filter = false;
    std::vector<int> numbers{1, 2, 3, 4};
    int failAtNumber = 0;
    std::string fileAtStart;
    bool fileUnchangedDuringScan = true;

    bool playableFilterChecked() const override { return filter; }
    void setPlayableFilter(bool checked) override {
        if (checked != filter) note(checked ? "filter-on" : "filter-off");
        filter = checked;
    }
    void enableRescan(bool enabled) override { note(enabled ? "B02-on" : "B02-off"); }
    void setCaption(const Caption& caption) override { note(std::string("caption:") + caption.in(true)); }
    std::string romsetDirectory() const override { return ".\\roms"; }
    std::vector<int> entries() const override { return numbers; }
    void showLastGame(int position, const GameRecord& game, RomsetScanPass&,
                      const GameVerification& verification) override {
        std::string marks;
        for (bool found : verification.marks) marks += found ? '+' : '-';
        note("last:" + std::to_string(position) + ":" + game.name + ":" + marks);
    }
    void reportError(const std::string& text) override { note("box:" + text); }
    void setStatus(int, int number, int status) override {
        fileUnchangedDuringScan = fileUnchangedDuringScan && readFile("tavrix.ini") == fileAtStart;
        note(std::to_string(number) + "=" + std::to_string(status));
        if (number == failAtNumber) throw Error("the list is gone");
    }
    void setCountLine(int playable, int total) override {
        note("count:" + std::to_string(playable) + "/" + std::to_string(total));
    }

private:
    void note(const std::string& step) { log += (log.empty() ? "" : " ") + step; }
};

std::vector<int> storedStatuses(int games) {
    const auto document = IniDocument::load("tavrix.ini");
    std::vector<int> out;
    for (int n = 1; n <= games; ++n) out.push_back(document.readInteger("Game-" + std::to_string(n), "GameStatus", -1));
    return out;
}

}  // namespace

TEST(RomsetScanModel, StepsInOrderStatusesAndOneWriteAtTheEnd) {
    struct Case {
        bool filtered;
        std::vector<int> order;
        std::string expected;
    };
    const Case cases[] = {
        {false, {1, 2, 3, 4},
         "B02-off caption:Tavrix - Scanning... 1=2 2=2 3=1 last:3:Nothing:-- 4=0 "
         "caption:Tavrix B02-on count:2/4"},
        // The filter is taken off first and put back last; the list's order is the scan's.
        {true, {4, 3, 1},
         "filter-off B02-off caption:Tavrix - Scanning... 4=0 3=1 last:2:Complete:+++ 1=2 "
         "caption:Tavrix B02-on count:1/3 filter-on"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        TempDir dir;
        writeDatabase(kCases);
        writeCaseRomsets();
        ScanLog steps;
        steps.filter = c.filtered;
        steps.numbers = c.order;
        steps.fileAtStart = readFile("tavrix.ini");
        RomsetScanModel scan;
        scan.run(steps);
        EXPECT_EQ(steps.log, c.expected);
        EXPECT_TRUE(steps.fileUnchangedDuringScan);
        std::vector<int> expected(4, -1);
        for (int number : c.order) expected[static_cast<std::size_t>(number - 1)] = kCaseStatuses[static_cast<std::size_t>(number - 1)];
        EXPECT_EQ(storedStatuses(4), expected);
        EXPECT_EQ(scan.gamesScanned(), c.order.size());
        EXPECT_EQ(IniDocument::load("tavrix.ini").readString("Extra", "kept", ""), "yes");
    }
}

TEST(RomsetScanModel, DamagedArchiveIsReportedPerGameAndAFailedStepPutsTheWindowBack) {
    TempDir dir;
    writeExtendedCases();
    ScanLog steps;
    steps.numbers = {5, 6};
    RomsetScanModel().run(steps);
    EXPECT_EQ(steps.log,
              "B02-off caption:Tavrix - Scanning... box:ZF: Archive is damaged. Open failed - Native error: 00048 5=1 "
              "last:1:Shared B:+ box:ZF: Archive is damaged. Open failed - Native error: 00048 6=2 "
              "caption:Tavrix B02-on count:1/2");

    // A step that fails ends the scan: the window comes back as it was and nothing is written.
    writeDatabase(kCases);
    const std::string before = readFile("tavrix.ini");
    ScanLog failing;
    failing.filter = true;
    failing.failAtNumber = 2;
    EXPECT_THROW(RomsetScanModel().run(failing), Error);
    EXPECT_EQ(failing.log, "filter-off B02-off caption:Tavrix - Scanning... 1=2 2=2 caption:Tavrix B02-on filter-on");
    EXPECT_EQ(readFile("tavrix.ini"), before);
}
