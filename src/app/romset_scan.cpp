#include "app/romset_scan.h"

#include "app/captions.h"
#include "app/clickable_label.h"
#include "app/error_report.h"
#include "app/game_info_page.h"
#include "app/game_list.h"
#include "app/general_page.h"
#include "app/main_window.h"
#include "core/romset_scan_pass.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

using namespace tavrix;

RomsetScan::RomsetScan(TF1& owner) : form(owner) {}

QString RomsetScan::scanningCaption() {
    return tr2(kScanningCaption);
}

void RomsetScan::run() {
    model.run(*this);
}

bool RomsetScan::playableFilterChecked() const {
    return form.generalPage->CB26->isChecked();
}

void RomsetScan::setPlayableFilter(bool checked) {
    // The box's own signal runs its handler when the state changes.
    form.generalPage->CB26->setChecked(checked);
}

void RomsetScan::enableRescan(bool enabled) {
    form.generalPage->B02->setEnabled(enabled);
}

void RomsetScan::setCaption(const Caption& caption) {
    form.setWindowTitle(tr2(caption));
}

std::string RomsetScan::romsetDirectory() const {
    return form.ZF.baseDir();
}

std::vector<int> RomsetScan::entries() const {
    std::vector<int> numbers;
    const QTreeWidget& list = *form.LV0;
    for (int index = 0; index < list.topLevelItemCount(); ++index)
        numbers.push_back(GameList::numberOf(list.topLevelItem(index)));
    return numbers;
}

void RomsetScan::showLastGame(int position, const GameRecord& game, RomsetScanPass& pass,
                              const GameVerification& verification) {
    form.gameList->setCurrentQuietly(form.LV0->topLevelItem(position));
    GameInfoPage& page = *form.gameInfoPage;
    page.showGame(game);
    page.showSnapshot(romsetNameOfArchive(page.L3->text().toStdString()), pass.paths());
    page.showMarks(verification);
}

void RomsetScan::reportError(const std::string& text) {
    ErrorReport::report(QString::fromUtf8(text.c_str()));
}

void RomsetScan::setStatus(int position, int, int status) {
    QTreeWidgetItem* entry = form.LV0->topLevelItem(position);
    if (GameList::statusOf(entry) != status) form.gameList->setStatus(entry, status);
}

void RomsetScan::setCountLine(int playable, int total) {
    form.generalPage->L16->setText(GameList::countLine(playable, total));
}
