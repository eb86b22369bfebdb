// The scan's sequence without a window: what it asks of the front end in which order, and the
// statuses it writes to tavrix.ini once, at its end.
#include "core/error.h"
#include "core/ini_document.h"
#include "core/romset_scan_model.h"
#include "fixtures/romset_cases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace tavrix;
using namespace tavrix::test;

namespace {

// A front end that writes down each step and fails at one game's status when told to.
struct ScanLog : ScanSteps {
    std::string log, fileAtStart;
    bool filter = false, fileUnchanged = true;
    std::vector<int> numbers;
    int failAt = 0;

    bool playableFilterChecked() const override { return filter; }
    void setPlayableFilter(bool checked) override {
        if (checked != filter) note(checked ? "filter-on" : "filter-off");
        filter = checked;
    }
    void enableRescan(bool enabled) override { note(enabled ? "B02-on" : "B02-off"); }
    void setCaption(const Caption& caption) override { note(caption.in(true)); }
    std::string romsetDirectory() const override { return ".\\roms"; }
    std::vector<int> entries() const override { return numbers; }
    void showLastGame(int position, const GameRecord& game, RomsetScanPass&, const GameVerification& v) override {
        std::string marks;
        for (bool found : v.marks) marks += found ? '+' : '-';
        note("last:" + std::to_string(position) + ":" + game.name + ":" + marks);
    }
    void reportError(const std::string& text) override { note("box:" + text); }
    void setStatus(int, int number, int status) override {
        fileUnchanged = fileUnchanged && readFile("tavrix.ini") == fileAtStart;
        note(std::to_string(number) + "=" + std::to_string(status));
        if (number == failAt) throw Error("the list is gone");
    }
    void setCountLine(int playable, int total) override { note(std::to_string(playable) + "/" + std::to_string(total)); }
    void note(const std::string& step) { log += (log.empty() ? "" : " ") + step; }
};

}  // namespace

TEST(RomsetScanModel, StepsInOrderAndOneWriteOfTheStatusesAtTheEnd) {
    const std::string damaged = "box:ZF: Archive is damaged. Open failed - Native error: 00048";
    const struct Case {
        bool filtered;
        std::vector<int> order;
        int failAt;
        std::string expected;
    } cases[] = {
        {false, {1, 2, 3, 4}, 0,
         "B02-off Tavrix - Scanning... 1=2 2=2 3=1 last:3:Nothing:-- 4=0 Tavrix B02-on 2/4"},
        // The filter is taken off first and put back last; the list's order is the scan's.
        {true, {4, 3, 1}, 0, "filter-off B02-off Tavrix - Scanning... 4=0 3=1 last:2:Complete:+++ 1=2 Tavrix B02-on 1/3 filter-on"},
        // A damaged BIOS is reported for each game that uses it, and the scan goes on.
        {false, {5, 6}, 0,
         "B02-off Tavrix - Scanning... " + damaged + " 5=1 last:1:Shared B:+ " + damaged + " 6=2 Tavrix B02-on 1/2"},
        // A step that fails ends the scan: the window comes back as it was, nothing is written.
        {true, {1, 2, 3}, 2, "filter-off B02-off Tavrix - Scanning... 1=2 2=2 Tavrix B02-on filter-on"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        TempDir dir;
        writeExtendedCases();
        ScanLog steps;
        steps.filter = c.filtered;
        steps.numbers = c.order;
        steps.failAt = c.failAt;
        steps.fileAtStart = readFile("tavrix.ini");
        RomsetScanModel scan;
        if (c.failAt != 0) {
            EXPECT_THROW(scan.run(steps), Error);
        } else {
            scan.run(steps);
            EXPECT_EQ(scan.gamesScanned(), c.order.size());
        }
        EXPECT_EQ(steps.log, c.expected);
        EXPECT_TRUE(steps.fileUnchanged);
        const auto stored = IniDocument::load("tavrix.ini");
        for (int game = 1; game <= 7; ++game) {
            const bool scanned = c.failAt == 0 && std::find(c.order.begin(), c.order.end(), game) != c.order.end();
            EXPECT_EQ(stored.readInteger("Game-" + std::to_string(game), "GameStatus", -1),
                      scanned ? kExtendedCaseStatuses[static_cast<std::size_t>(game - 1)] : -1) << game;
        }
    }
}
