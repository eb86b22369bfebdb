#include "win32/romset_scan.h"

#include "core/error.h"
#include "core/game_list_model.h"
#include "core/romset_scan_pass.h"
#include "win32/error_box.h"
#include "win32/game_info_page.h"
#include "win32/general_page.h"
#include "win32/main_window.h"
#include "win32/page_index.h"

namespace tavrix::win32 {

bool RomsetScan::playableFilterChecked() const {
    return w.generalPage().form().checked("CB26");
}

void RomsetScan::setPlayableFilter(bool checked) {
    w.generalPage().setPlayableFilter(checked);
}

void RomsetScan::enableRescan(bool enabled) {
    w.generalPage().form().setEnabled("B02", enabled);
}

void RomsetScan::setCaption(const Caption& caption) {
    SetWindowTextW(w.window(), wide(caption.in(w.english())).c_str());
}

std::string RomsetScan::romsetDirectory() const {
    // The path box as it stands, as the Game Info page's fill reads it.
    return w.generalPage().model.romsDirectory();
}

std::vector<int> RomsetScan::entries() const {
    std::vector<int> numbers;
    const GameListView& list = w.gameList();
    for (int position = 0; position < list.rowCount(); ++position) numbers.push_back(list.numberAt(position));
    return numbers;
}

void RomsetScan::showLastGame(int position, const GameRecord& game, RomsetScanPass& pass,
                              const GameVerification& verification) {
    w.gameList().selectQuietly(position);
    static_cast<GameInfoPage&>(w.page(kGameInfoPage)).showScanned(game, pass.paths(), verification);
}

void RomsetScan::reportError(const std::string& text) {
    showError(errorReportText(text));
}

void RomsetScan::setStatus(int position, int, int status) {
    w.gameList().setStatus(position, status);
}

void RomsetScan::setCountLine(int playable, int total) {
    w.generalPage().form().setText("L16", GameListModel::countLine(playable, total, w.english()));
}

}  // namespace tavrix::win32
