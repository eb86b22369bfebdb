// The scan's sequence without a window: what it asks of the front end in which order, and the
// statuses it writes to tavrix.ini once, at its end.
#include "core/error.h"
#include "core/ini_document.h"
#include "core/ini_document_cache.h"
#include "core/romset_scan_model.h"
#include "core/settings.h"
#include "fixtures/romset_cases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace tavrix;
using namespace tavrix::test;

namespace {

// A front end that writes down each step and fails at one game's status when told to. With
// `pump` it waits for the workers as a window that keeps working would: in its own loop, until
// the wake-up arrives from a worker thread. It asks to stop once game `stopAfter` has its status.
struct ScanLog : ScanSteps {
    std::string log, fileAtStart;
    bool filter = false, fileUnchanged = true;
    std::vector<int> numbers;
    int failAt = 0;
    bool pump = false;
    int stopAfter = 0;
    bool stop = false;
    std::string saveMidway;  // a settings key saved through the cache while the scan runs
    std::vector<std::pair<int, int>> progress;
    int applied = 0;
    std::string applied_;  // boxes (with the games applied before each) and statuses, in order
    const std::thread::id runner = std::this_thread::get_id();
    bool offThread = false;
    std::mutex mutex;
    std::condition_variable woken;
    bool wake = false;
    bool wakeLost = false;  // a wait for a result ended only by its deadline

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
    void reportError(const std::string& text) override {
        applied_ += "box@" + std::to_string(applied) + " ";
        note("box:" + text);
    }
    void setStatus(int, int number, int status) override {
        fileUnchanged = fileUnchanged && readFile("tavrix.ini") == fileAtStart;
        applied_ += std::to_string(number) + "=" + std::to_string(status) + " ";
        note(std::to_string(number) + "=" + std::to_string(status));
        if (number == failAt) throw Error("the list is gone");
        ++applied;
        stop = stop || number == stopAfter;
        if (!saveMidway.empty() && applied == 1) {
            IniDocumentCache& cache = IniDocumentCache::shared();
            IniDocument settings = cache.loadForChange(kSettingsFileName);
            settings.writeString(kSettingsSection, saveMidway, "1");
            settings.save(kSettingsFileName);
            cache.remember(kSettingsFileName, std::move(settings));
        }
    }
    void setCountLine(int playable, int total) override { note(std::to_string(playable) + "/" + std::to_string(total)); }
    void showProgress(int done, int total) override {
        onRunner();
        progress.emplace_back(done, total);
        // A window handles its pending events here, a wake-up among them.
        const std::lock_guard lock(mutex);
        wake = false;
    }
    bool awaitResults() override {
        onRunner();
        if (!pump) return false;
        std::unique_lock lock(mutex);
        // A wake-up that never comes would leave a window waiting until its next event.
        wakeLost = !woken.wait_for(lock, std::chrono::seconds(5), [this] { return wake; }) || wakeLost;
        wake = false;
        return true;
    }
    void wakeUp() override {
        {
            const std::lock_guard lock(mutex);
            wake = true;
        }
        woken.notify_one();
    }
    bool stopRequested() override { return stop; }
    void note(const std::string& step) {
        onRunner();
        log += (log.empty() ? "" : " ") + step;
    }
    void onRunner() { offThread = offThread || std::this_thread::get_id() != runner; }
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

TEST(RomsetScanModel, WorkerThreadsGiveTheSerialBoxesStatusesAndBytesAndStopPartWay) {
    EXPECT_EQ(scanProgressCaption(12, 700, true), "Tavrix - Scanning... 12 of 700");
    EXPECT_EQ(scanProgressCaption(12, 700, false), "Tavrix - \xEC\x9D\xBD\xEB\x8A\x94 \xEC\xA4\x91... 12 / 700");
    const struct Case {
        std::size_t threads;
        bool pump;        // the front end waits in its own loop for the wake-up
        int games;
        bool reversed;    // the list's order
        int stopAfter;    // a stop is asked once this game has its status (0: none)
        const char* saveMidway;
    } cases[] = {
        {0, false, 7, false, 0, ""},
        {1, false, 700, false, 0, ""},
        {4, false, 700, true, 0, ""},
        {4, true, 700, false, 0, ""},
        {3, true, 700, true, 0, "startup-scan"},  // a page saved during the scan stays saved
        {4, true, 700, false, 301, ""},
        {2, false, 7, true, 5, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.threads) + " threads, " + std::to_string(c.games) + " games, stop after " +
                     std::to_string(c.stopAfter));
        TempDir dir;
        writeRepeatedCases(c.games);
        IniDocumentCache::shared().clear();
        ScanLog steps;
        for (int game = 1; game <= c.games; ++game) steps.numbers.push_back(game);
        if (c.reversed) std::reverse(steps.numbers.begin(), steps.numbers.end());
        steps.pump = c.pump;
        steps.stopAfter = c.stopAfter;
        steps.saveMidway = c.saveMidway;
        steps.fileAtStart = readFile("tavrix.ini");
        const auto stopAt = std::find(steps.numbers.begin(), steps.numbers.end(), c.stopAfter);
        const std::size_t applied = c.stopAfter == 0 ? steps.numbers.size() : stopAt - steps.numbers.begin() + 1;
        const SerialScan serial = serialScan(steps.numbers, applied, c.saveMidway);

        RomsetScanModel scan(c.threads);
        scan.run(steps);
        EXPECT_EQ(steps.applied_, serial.applied);
        EXPECT_EQ(readFile("tavrix.ini"), serial.bytes);
        EXPECT_EQ(scan.gamesScanned(), applied);
        EXPECT_EQ(scan.stopped(), c.stopAfter != 0);
        // The window comes back as after a full scan, the count line over the statuses shown.
        EXPECT_TRUE(steps.log.ends_with(" Tavrix B02-on " + serial.countLine)) << steps.log.substr(steps.log.size() - 80);
        EXPECT_EQ(steps.fileUnchanged, *c.saveMidway == 0);
        EXPECT_FALSE(steps.offThread);
        EXPECT_FALSE(steps.wakeLost);
        ASSERT_FALSE(steps.progress.empty());
        EXPECT_EQ(steps.progress.front(), std::make_pair(0, c.games));
        for (std::size_t i = 1; i < steps.progress.size(); ++i) {
            EXPECT_LE(steps.progress[i - 1].first, steps.progress[i].first);
            EXPECT_LE(steps.progress[i].first, static_cast<int>(applied));
        }
    }
}
