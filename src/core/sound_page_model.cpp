#include "core/sound_page_model.h"

#include "core/error.h"
#include "core/ini_document.h"
#include "core/ini_document_cache.h"
#include "core/settings.h"
#include "core/text.h"

namespace tavrix {

namespace {
constexpr int kLiteSurround = 2;
}

void SoundPageModel::checkSound(bool checked) {
    soundChecked = checked;
    CB1Click();
}

void SoundPageModel::checkFilter(bool checked) {
    filterChecked = checked;
    CB19Click();
}

void SoundPageModel::pickEffect(int index) {
    effectIndex = index;
    RG1Click();
}

// Filter rule: the cutoff list only while both sound and the filter are on.
void SoundPageModel::CB19Click() {
    cutoffEnabled = soundChecked && filterChecked;
}

// Multiplier rule: the multiplier only while sound is on and the lite surround is chosen.
void SoundPageModel::RG1Click() {
    multiplierEnabled = soundChecked && effectIndex == kLiteSurround;
}

// Sound rule: only the enabling changes, never a check state or a selection.
void SoundPageModel::CB1Click() {
    if (soundChecked) {
        filterEnabled = true;
        effectEnabled = true;
        CB19Click();
        RG1Click();
    } else {
        filterEnabled = effectEnabled = cutoffEnabled = multiplierEnabled = false;
    }
}

SoundSettings SoundPageModel::settings() const {
    SoundSettings settings;
    settings.useSound = soundChecked;
    settings.filterEnabled = filterChecked;
    settings.cutoff = cutoffIndex;
    settings.effect = effectIndex;
    settings.multiplier = storedMultiplier.bytesFor(multiplierText);
    return settings;
}

void SoundPageModel::B11Click() const {
    IniDocument document = IniDocument::load(kSettingsFileName);
    writeSoundSettings(document, settings());
    document.save(kSettingsFileName);
}

void SoundPageModel::B12Click() {
    const SoundSettingsRead stored = readSoundSettings(*IniDocumentCache::shared().load(kSettingsFileName));
    checkSound(stored.useSound);
    filterChecked = stored.filterEnabled;
    cutoffEnabled = filterChecked;

    if (stored.error) throw Error(*stored.error);
    if (stored.cutoff) cutoffIndex = *stored.cutoff;
    effectIndex = stored.effect;
    storedMultiplier = KeptText(stored.multiplier);
    multiplierText = storedMultiplier.shown();

    RG1Click();
    CB19Click();
}

}  // namespace tavrix
