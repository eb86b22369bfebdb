#include "core/romset_scan_model.h"

#include "core/ini_document_cache.h"
#include "core/settings.h"
#include "core/text.h"

#include <chrono>
#include <memory>
#include <optional>
#include <thread>
#include <utility>

namespace tavrix {

std::string scanProgressCaption(int applied, int total, bool english) {
    if (english) return std::string(kScanningCaption.en) + " " + decimal(applied) + " of " + decimal(total);
    return std::string(kScanningCaption.ko) + " " + decimal(applied) + " / " + decimal(total);
}

namespace {

// How often the progress is shown while statuses keep coming without a wait.
constexpr std::chrono::milliseconds kProgressInterval{100};

}  // namespace

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
        // 4. tavrix.ini as it is now, read by the workers; nothing writes to this copy.
        IniDocumentCache& cache = IniDocumentCache::shared();
        std::shared_ptr<const IniDocument> database = cache.load(kSettingsFileName);

        // 5. Every entry in the list's order, each verified on a worker thread and applied here
        //    in turn. The pass's listings live for this scan only, so an archive changed since
        //    the last scan is read again.
        const std::vector<int> numbers = steps.entries();
        const int count = static_cast<int>(numbers.size());
        std::vector<int> statuses(numbers.size(), -1);  // -1: not applied
        gamesScanned_ = 0;
        stopped_ = false;
        auto pass = std::make_unique<RomsetScanPass>(*database, steps.romsetDirectory());
        {
            RomsetScanWorkers workers(*pass, numbers, {threads_, [&steps] { steps.wakeUp(); }, {}});

            using Clock = std::chrono::steady_clock;
            int shownApplied = 0;
            auto shownAt = Clock::now();
            auto showProgress = [&](int applied) {
                shownApplied = applied;
                shownAt = Clock::now();
                steps.showProgress(applied, count);
            };
            showProgress(0);

            for (int position = 0; position < count; ++position) {
                if (steps.stopRequested()) {
                    stopped_ = true;
                    break;
                }
                // The next result, while the window goes on working when the front end lets it.
                std::optional<ScannedGame> next;
                while (!stopped_ && !(next = workers.takeReady())) {
                    // Showing the progress lets the window handle its events, the wake-up among
                    // them, so the result is looked for again before the window waits.
                    if (shownApplied != position) {
                        showProgress(position);
                        continue;
                    }
                    if (!steps.awaitResults()) workers.waitForNext();
                    else stopped_ = steps.stopRequested();
                }
                if (stopped_) break;
                const ScannedGame& scanned = *next;
                const int number = scanned.number;
                const GameVerification& verification = scanned.verification;

                // The entry the scan ends on: its game is what the page shows afterwards.
                if (position == count - 1) {
                    GameReader reader;
                    steps.showLastGame(position, reader.read(*database, number), *pass, verification);
                }
                // The reader's error ends that game's verification; the box waits for the user.
                if (verification.error) steps.reportError(*verification.error);

                const int status = verification.status();
                steps.setStatus(position, number, status);
                statuses[static_cast<std::size_t>(position)] = status;
                ++gamesScanned_;
                if (Clock::now() - shownAt >= kProgressInterval) showProgress(position + 1);
            }
            // Results the workers made beyond a stop are dropped here.
            workers.stop();
        }
        archivesRead_ = pass->archivesRead();
        // The listings of tens of thousands of archives are freed on a thread of their own
        // while this one writes the file; it is joined before the scan returns.
        const std::jthread release([listings = std::move(pass)]() mutable { listings.reset(); });
        database.reset();

        // The statuses go into the file as it is now: a page saved during the scan stays saved.
        // Unless something wrote it meanwhile, this is the copy the scan read, taken over from
        // the cache without a copy.
        IniDocument document = cache.loadForChange(kSettingsFileName);
        playable_ = 0;
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            if (statuses[i] >= 0) writeGameStatus(document, numbers[i], statuses[i]);
            // Games not applied (after a stop) count with the status they keep.
            const int status = statuses[i] >= 0 ? statuses[i] : readGameStatus(document, numbers[i]);
            if (status == kStatusPlayable) ++playable_;
        }

        // 6 to 8. The window as before, with the new count line.
        restoreWindow();
        steps.setCountLine(static_cast<int>(playable_), count);

        // 9. One write of the whole file.
        document.save(kSettingsFileName);
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
