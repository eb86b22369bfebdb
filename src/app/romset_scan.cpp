#include "app/romset_scan.h"

#include "app/captions.h"
#include "app/clickable_label.h"
#include "app/error_report.h"
#include "app/game_info_page.h"
#include "app/game_list.h"
#include "app/general_page.h"
#include "app/main_window.h"
#include "core/game_database.h"
#include "core/game_verification.h"
#include "core/ini_document_cache.h"
#include "core/romset_scan_pass.h"
#include "core/settings.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

using namespace tavrix;

namespace {
constexpr Tr kScanningCaption{"Tavrix - 읽는 중...", "Tavrix - Scanning..."};
}

RomsetScan::RomsetScan(TF1& owner) : form(owner) {}

QString RomsetScan::scanningCaption() {
    return tr2(kScanningCaption);
}

void RomsetScan::run() {
    GeneralPage& general = *form.generalPage;
    GameList& list = *form.gameList;
    QTreeWidget& entries = *form.LV0;

    // 1. The scan covers every game: unchecking the filter refills the list from the database.
    const bool filtered = general.CB26->isChecked();
    general.CB26->setChecked(false);
    // 2, 3. No second scan can be asked for while this one runs; the caption tells why.
    general.B02->setEnabled(false);
    form.setWindowTitle(scanningCaption());

    bool restored = false;
    auto restoreWindow = [&] {
        if (restored) return;
        restored = true;
        form.setWindowTitle(QStringLiteral("Tavrix"));
        general.B02->setEnabled(true);
    };
    auto restoreFilter = [&] {
        if (filtered) general.CB26->setChecked(true);
    };

    try {
        // 4. One copy of tavrix.ini for the whole scan.
        IniDocumentCache& cache = IniDocumentCache::shared();
        IniDocument document = cache.loadForChange(kSettingsFileName);

        // 5. Every entry in the list's order, each verified and its status stored in the copy.
        //    The pass's listings live for this scan only, so an archive changed since the last
        //    scan is read again; the window takes no input while the scan runs.
        RomsetScanPass pass(document, form.ZF.baseDir());
        const int count = entries.topLevelItemCount();
        gamesScanned_ = 0;
        playable_ = 0;
        for (int index = 0; index < count; ++index) {
            QTreeWidgetItem* entry = entries.topLevelItem(index);
            const int number = GameList::numberOf(entry);
            const GameVerification verification = pass.scan(number);
            const bool last = index == count - 1;
            if (last) {
                // The entry the scan ends on: its game is what the page shows afterwards.
                list.setCurrentQuietly(entry);
                GameInfoPage& page = *form.gameInfoPage;
                page.showGame(pass.game());
                page.showSnapshot(romsetNameOfArchive(page.L3->text().toStdString()), pass.paths());
                page.showMarks(verification);
            }
            // The reader's error ends that game's verification; the box waits for the user.
            if (verification.error) ErrorReport::report(QString::fromUtf8(verification.error->c_str()));

            const int status = verification.status();
            if (GameList::statusOf(entry) != status) list.setStatus(entry, status);
            if (status == kStatusPlayable) ++playable_;
            ++gamesScanned_;
        }
        archivesRead_ = pass.archivesRead();

        // 6 to 8. The window as before, with the new count line.
        restoreWindow();
        general.L16->setText(GameList::countLine(static_cast<int>(playable_), count));

        // 9. One write of the whole file.
        pass.save(kSettingsFileName);
        cache.remember(kSettingsFileName, std::move(document));
    } catch (...) {
        restoreWindow();
        restoreFilter();
        throw;
    }
    // 10. The filter as it was; its handler keeps only the playable games.
    restoreFilter();
}
