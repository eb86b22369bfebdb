#pragma once
// The romset scan without its widgets. The sequence decides the order of everything the scan
// does to the window (the filter, the rescan button, the caption, the list's entries, the Game
// Info page, the error boxes, the count line) and does the verification and the one write of
// tavrix.ini itself; a front end carries each step out on its own controls through ScanSteps.
//
// The archives are read on worker threads (RomsetScanWorkers); every step runs on the thread
// that called run(), the front end's GUI thread, one game after the other in the list's order,
// so the statuses, icons, error boxes and the bytes written are those of a scan that verifies
// one game at a time. A front end may keep its window working while the scan runs (progress,
// repaints, Esc to stop) through the steps below that have defaults; with the defaults the
// window stays blocked until the scan ends.
#include "core/layout/captions.h"
#include "core/game_database.h"
#include "core/game_verification.h"
#include "core/romset_scan_pass.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tavrix {

// The caption while a scan runs, with how far it is: "Tavrix - Scanning... 1234 of 32767",
// "Tavrix - 읽는 중... 1234 / 32767".
std::string scanProgressCaption(int applied, int total, bool english);

// What a front end does when the scan asks for it.
class ScanSteps {
public:
    virtual ~ScanSteps() = default;

    // CB26, the playable-only filter. Setting it runs its handler when the state changes, so
    // the list refills with every game or keeps only the playable ones.
    virtual bool playableFilterChecked() const = 0;
    virtual void setPlayableFilter(bool checked) = 0;
    // B02, the rescan button.
    virtual void enableRescan(bool enabled) = 0;
    // The window's caption, in the language in force.
    virtual void setCaption(const Caption& caption) = 0;
    // The romset directory as the General page's path box holds it now, saved or not.
    virtual std::string romsetDirectory() const = 0;
    // The game numbers of the list's entries, from the first to the last in the list's order.
    virtual std::vector<int> entries() const = 0;
    // The entry at `position` (the last one) becomes the selected entry without its selection
    // handler, and the Game Info page shows its game, the snapshot found through the pass's
    // look-ups, and the marks of the verification. A scan that is stopped leaves the selection
    // and the page as they were.
    virtual void showLastGame(int position, const GameRecord& game, RomsetScanPass& pass,
                              const GameVerification& verification) = 0;
    // An archive could not be read: the front end's error box with the reader's text, which
    // waits for the user before the scan goes on.
    virtual void reportError(const std::string& text) = 0;
    // The entry at `position` now has this status (its icon follows).
    virtual void setStatus(int position, int number, int status) = 0;
    // L16, the count line.
    virtual void setCountLine(int playable, int total) = 0;

    // Keeping the window working while the archives are read. Each of these has a default that
    // keeps the window blocked, as a front end without them has it.

    // How far the scan is: `applied` of `total` games have their new status. Called when the
    // games begin (0), about ten times a second while statuses keep coming, and before a wait
    // for the workers when the figure has changed. Show scanProgressCaption (and any progress
    // the system offers, such as the taskbar's), then handle the window's pending events
    // without waiting for more: a repaint, a key.
    virtual void showProgress(int /*applied*/, int /*total*/) {}
    // The next game's result is not ready yet. Return false to have the scan block until it is
    // (the default). A front end that keeps its window working handles the window's events
    // instead, waiting for them, and returns true after wakeUp's event or any other; the scan
    // then looks again and calls this again while the result is still missing.
    virtual bool awaitResults() { return false; }
    // Called from a worker thread, at most once per awaitResults, when the result the scan
    // awaits is ready: post an event that ends awaitResults's wait (a queued call, a posted
    // message). It must be safe to call from any thread.
    virtual void wakeUp() {}
    // True once the user has asked to stop (Esc). Asked before each game is applied: the
    // games applied keep their new status, every other game keeps the one it had, and the
    // scan ends as a full one does (count line, one write of tavrix.ini, the filter).
    virtual bool stopRequested() { return false; }
};

class RomsetScanModel {
public:
    // `threads`: how many worker threads read the archives (0: all on the caller's thread).
    explicit RomsetScanModel(std::size_t threads = RomsetScanWorkers::kDefaultThreads) : threads_(threads) {}

    // Runs the whole scan. A failure to write tavrix.ini is thrown after the window has been
    // put back as it was (caption, rescan button, filter).
    //
    // The statuses go into tavrix.ini as the file is on disk when the scan ends, so what was
    // saved meanwhile (a settings page) is kept; only GameStatus keys change.
    void run(ScanSteps& steps);

    // Figures of the last run.
    std::size_t gamesScanned() const { return gamesScanned_; }  // games applied
    std::size_t playableGames() const { return playable_; }     // as the count line says
    std::size_t archivesRead() const { return archivesRead_; }
    bool stopped() const { return stopped_; }                   // ended by a stop request

private:
    std::size_t threads_;
    std::size_t gamesScanned_ = 0;
    std::size_t playable_ = 0;
    std::size_t archivesRead_ = 0;
    bool stopped_ = false;
};

}  // namespace tavrix
