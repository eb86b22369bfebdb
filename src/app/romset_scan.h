#pragma once
// The romset scan: verifies every game of the list against the romset directory, gives each
// entry the icon of its status, writes every GameStatus into one copy of tavrix.ini saved once
// at the end, and sets the count line.
//
// Every game is verified by the same routine that sets the Game Info page's marks
// (tavrix::verifyGame). The window is not repainted while the scan runs, so the page's widgets
// are filled only for the last game, which is what the page shows when the scan ends; the list
// selection ends on the last entry, as if each entry had been selected in turn. Archive
// listings are shared between the games of one scan (a BIOS or parent archive is read once)
// and start afresh with the next scan.
#include <QString>

#include <cstddef>

class TF1;

class RomsetScan {
public:
    explicit RomsetScan(TF1& form);

    // Runs the whole scan on the GUI thread. An archive that cannot be read is reported once
    // per game that uses it, and the scan goes on. A failure to write tavrix.ini is thrown
    // after the window has been put back as it was.
    void run();

    // The caption while a scan runs, in the language in force.
    static QString scanningCaption();

    // Figures of the last run.
    std::size_t gamesScanned() const { return gamesScanned_; }
    std::size_t playableGames() const { return playable_; }
    std::size_t archivesRead() const { return archivesRead_; }

private:
    TF1& form;
    std::size_t gamesScanned_ = 0;
    std::size_t playable_ = 0;
    std::size_t archivesRead_ = 0;
};
