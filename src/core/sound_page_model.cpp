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

ControlFields SoundPageModel::fields() {
    return {{"CB1", &soundChecked},
            {"CB19", &filterChecked},
            {"CB20", nullptr, &cutoffIndex},
            {"RG1", nullptr, &effectIndex},
            {"E3", nullptr, nullptr, &multiplierText}};
}

ControlStates SoundPageModel::enabledControls() const {
    return {{"CB19", filterEnabled},          {"CB20", cutoffEnabled},    {"L15", cutoffEnabled},
            {"RG1", effectEnabled},           {"E3", multiplierEnabled}, {"UD2", multiplierEnabled},
            {"ST1", multiplierEnabled}};
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

void SoundPageModel::addLaunchInputs(LaunchInputs& inputs) const {
    const SoundSettings shown = settings();
    inputs.soundOn = shown.useSound;
    inputs.filterOn = shown.filterEnabled;
    inputs.cutoffIndex = shown.cutoff;
    inputs.soundEffect = shown.effect;
    inputs.multiplier = shown.multiplier;
}

void SoundPageModel::B11Click() const {
    IniDocument document = IniDocument::load(kSettingsFileName);
    writeSoundSettings(document, settings());
    document.save(kSettingsFileName);
}

void SoundPageModel::B12Click() {
    const SoundSettingsRead stored = readSoundSettings(*IniDocumentCache::shared().load(kSettingsFileName));
    soundChecked = stored.useSound;
    CB1Click();
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
