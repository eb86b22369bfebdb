#pragma once
// The romset scan without its widgets. The sequence decides the order of everything the scan
// does to the window (the filter, the rescan button, the caption, the list's entries, the Game
// Info page, the error boxes, the count line) and does the verification and the one write of
// tavrix.ini itself; a front end carries each step out on its own controls through ScanSteps.
#include "core/layout/captions.h"
#include "core/game_database.h"
#include "core/game_verification.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tavrix {

class RomsetScanPass;

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
    // look-ups, and the marks of the verification.
    virtual void showLastGame(int position, const GameRecord& game, RomsetScanPass& pass,
                              const GameVerification& verification) = 0;
    // An archive could not be read: the front end's error box with the reader's text, which
    // waits for the user before the scan goes on.
    virtual void reportError(const std::string& text) = 0;
    // The entry at `position` now has this status (its icon follows).
    virtual void setStatus(int position, int number, int status) = 0;
    // L16, the count line.
    virtual void setCountLine(int playable, int total) = 0;
};

class RomsetScanModel {
public:
    // Runs the whole scan. A failure to write tavrix.ini is thrown after the window has been
    // put back as it was (caption, rescan button, filter).
    void run(ScanSteps& steps);

    // Figures of the last run.
    std::size_t gamesScanned() const { return gamesScanned_; }
    std::size_t playableGames() const { return playable_; }
    std::size_t archivesRead() const { return archivesRead_; }

private:
    std::size_t gamesScanned_ = 0;
    std::size_t playable_ = 0;
    std::size_t archivesRead_ = 0;
};

}  // namespace tavrix
