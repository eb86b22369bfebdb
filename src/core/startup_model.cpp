#include "core/startup_model.h"

#include "core/ini_document.h"
#include "core/ini_document_cache.h"
#include "core/settings.h"

#include <utility>

namespace tavrix {

void LanguagePanelModel::check(bool english) {
    englishChecked = english;
    koreanChecked = !english;
    RB1Click();
}

void LanguagePanelModel::RB1Click() {
    if (koreanChecked || englishChecked) okEnabled = true;
}

void StartupModel::FormShow(StartupSteps& steps) {
    // 1. No batch file is pending at start.
    steps.clearBatchRequest();

    // 2. The settings file must hold its section. Without it the program ends right after the
    //    box, before anything could write a file that would hide the damage at the next start.
    //    The parsed file is let go of before the steps that follow, so that a scan at start-up
    //    can take it over to store its statuses without a copy.
    bool firstStart = false;
    bool englishChosen = false;
    {
        const auto settingsFile = IniDocumentCache::shared().load(kSettingsFileName);
        if (!settingsFile->hasSection(kSettingsSection)) {
            steps.reportCorruptedSettings(kCorruptedSettingsText);
            return;
        }
        firstStart = readSetting(*settingsFile, settings::firstStartup);
        englishChosen = readSetting(*settingsFile, settings::englishVersion);
    }

    // 3. First start: only the language panel, until the user confirms a language.
    if (!languageChosen && firstStart) {
        panel.visible = true;
        steps.showLanguagePanel(true);
        return;
    }

    // 4. The interface language, fixed for the rest of the run.
    english = englishChosen;
    steps.setEnglishFlag(english);
    if (english) steps.applyEnglishCaptions();

    // 5. to 9. Fill the list and reload the pages in the order that each relies on: the sort
    //    needs the General page's choice, and the Sound page's reload shows that page, which
    //    step 13 switches back.
    steps.fillGameList();
    steps.reloadGeneralPage();
    steps.sortGameList();
    steps.reloadSoundPage();
    steps.reloadVideoPage();
    // 10. Scan when the General page asks for it at start-up.
    if (steps.startupScanChecked()) steps.scanRomsets();

    // 11. The first start is over: clear the flag. The file is read afresh, since the steps
    //     before may have written it. Then scan, also when step 10 has scanned already.
    if (readSetting(*IniDocumentCache::shared().load(kSettingsFileName), settings::firstStartup)) {
        auto current = IniDocumentCache::shared().loadForChange(kSettingsFileName);
        writeSetting(current, settings::firstStartup, false);
        current.save(kSettingsFileName);
        IniDocumentCache::shared().remember(kSettingsFileName, std::move(current));
        steps.scanRomsets();
    }

    // 12. and 13. The first game, the Controls page, then the Game Info page without the panel.
    steps.selectFirstGame();
    steps.reloadControlsPage(english);
    steps.showFirstPage();
    panel.visible = false;
    steps.showLanguagePanel(false);
    steps.focusGameList();
}

void StartupModel::B10Click(StartupSteps& steps) {
    panel.okEnabled = false;
    auto document = IniDocument::load(kSettingsFileName);
    writeSetting(document, settings::englishVersion, panel.englishChecked);
    try {
        document.save(kSettingsFileName);
    } catch (...) {
        // The choice was not stored: OK stays available for another try once the file can be
        // written, instead of leaving the panel with no way forward.
        panel.okEnabled = true;
        throw;
    }
    languageChosen = true;
    try {
        FormShow(steps);
    } catch (...) {
        // The sequence stopped at a step that failed (a stored value it cannot read): the
        // window is left as such a start leaves it, with the language chosen and without the
        // panel over it. first-startup stays as the file has it, since the sequence clears it
        // only once every page has been filled.
        panel.visible = false;
        steps.showLanguagePanel(false);
        throw;
    }
}

}  // namespace tavrix
