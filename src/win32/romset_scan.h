#pragma once
// The romset scan on the native window: the scan's sequence (core/romset_scan_model.h) carried
// out on the window's controls, for B02 and for the start-up sequence.
#include "core/romset_scan_model.h"

namespace tavrix::win32 {

class MainWindow;

class RomsetScan : private ScanSteps {
public:
    explicit RomsetScan(MainWindow& window) : w(window) {}
    // Runs the whole scan; blocks the window until it ends. Errors as RomsetScanModel::run.
    void run() { model.run(*this); }
    const RomsetScanModel& figures() const { return model; }

private:
    bool playableFilterChecked() const override;
    void setPlayableFilter(bool checked) override;
    void enableRescan(bool enabled) override;
    void setCaption(const Caption& caption) override;
    std::string romsetDirectory() const override;
    std::vector<int> entries() const override;
    void showLastGame(int position, const GameRecord& game, RomsetScanPass& pass,
                      const GameVerification& verification) override;
    void reportError(const std::string& text) override;
    void setStatus(int position, int number, int status) override;
    void setCountLine(int playable, int total) override;

    MainWindow& w;
    RomsetScanModel model;
};

}  // namespace tavrix::win32
