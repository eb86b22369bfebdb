#pragma once
// The romset scan on the Qt window: the scan's sequence (core/romset_scan_model.h) carried out
// on the window's widgets. It verifies every game of the list against the romset directory,
// gives each entry the icon of its status, writes every GameStatus into one copy of tavrix.ini
// saved once at the end, and sets the count line.
//
// The window is not repainted while the scan runs, so the Game Info page's widgets are filled
// only for the last game, which is what the page shows when the scan ends; the list selection
// ends on the last entry, as if each entry had been selected in turn. Archive listings are
// shared between the games of one scan (a BIOS or parent archive is read once) and start
// afresh with the next scan.
#include "core/romset_scan_model.h"

#include <QString>

#include <cstddef>

class TF1;

class RomsetScan : private tavrix::ScanSteps {
public:
    explicit RomsetScan(TF1& form);

    // Runs the whole scan on the GUI thread. An archive that cannot be read is reported once
    // per game that uses it, and the scan goes on. A failure to write tavrix.ini is thrown
    // after the window has been put back as it was.
    void run();

    // The caption while a scan runs, in the language in force.
    static QString scanningCaption();

    // Figures of the last run.
    std::size_t gamesScanned() const { return model.gamesScanned(); }
    std::size_t playableGames() const { return model.playableGames(); }
    std::size_t archivesRead() const { return model.archivesRead(); }

private:
    bool playableFilterChecked() const override;
    void setPlayableFilter(bool checked) override;
    void enableRescan(bool enabled) override;
    void setCaption(const tavrix::Caption& caption) override;
    std::string romsetDirectory() const override;
    std::vector<int> entries() const override;
    void showLastGame(int position, const tavrix::GameRecord& game, tavrix::RomsetScanPass& pass,
                      const tavrix::GameVerification& verification) override;
    void reportError(const std::string& text) override;
    void setStatus(int position, int number, int status) override;
    void setCountLine(int playable, int total) override;

    TF1& form;
    tavrix::RomsetScanModel model;
};
