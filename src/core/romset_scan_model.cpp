#include "core/romset_scan_model.h"

#include "core/ini_document_cache.h"
#include "core/romset_scan_pass.h"
#include "core/settings.h"

#include <utility>

namespace tavrix {

void RomsetScanModel::run(ScanSteps& steps) {
    // 1. The scan covers every game: unchecking the filter refills the list from the database.
    const bool filtered = steps.playableFilterChecked();
    steps.setPlayableFilter(false);
    // 2, 3. No second scan can be asked for while this one runs; the caption tells why.
    steps.enableRescan(false);
    steps.setCaption(kScanningCaption);

    bool restored = false;
    auto restoreWindow = [&] {
        if (restored) return;
        restored = true;
        steps.setCaption(kProgramCaption);
        steps.enableRescan(true);
    };
    auto restoreFilter = [&] {
        if (filtered) steps.setPlayableFilter(true);
    };

    try {
        // 4. One copy of tavrix.ini for the whole scan.
        IniDocumentCache& cache = IniDocumentCache::shared();
        IniDocument document = cache.loadForChange(kSettingsFileName);

        // 5. Every entry in the list's order, each verified and its status stored in the copy.
        //    The pass's listings live for this scan only, so an archive changed since the last
        //    scan is read again.
        RomsetScanPass pass(document, steps.romsetDirectory());
        const std::vector<int> numbers = steps.entries();
        const int count = static_cast<int>(numbers.size());
        gamesScanned_ = 0;
        playable_ = 0;
        for (int position = 0; position < count; ++position) {
            const int number = numbers[static_cast<std::size_t>(position)];
            const GameVerification verification = pass.scan(number);
            // The entry the scan ends on: its game is what the page shows afterwards.
            if (position == count - 1) steps.showLastGame(position, pass.game(), pass, verification);
            // The reader's error ends that game's verification; the box waits for the user.
            if (verification.error) steps.reportError(*verification.error);

            const int status = verification.status();
            steps.setStatus(position, number, status);
            if (status == kStatusPlayable) ++playable_;
            ++gamesScanned_;
        }
        archivesRead_ = pass.archivesRead();

        // 6 to 8. The window as before, with the new count line.
        restoreWindow();
        steps.setCountLine(static_cast<int>(playable_), count);

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

}  // namespace tavrix
