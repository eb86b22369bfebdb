#include "core/sound_settings.h"

#include "core/error.h"
#include "core/settings.h"
#include "core/text.h"

namespace tavrix {

void writeSoundSettings(IniDocument& document, const SoundSettings& settings) {
    // The list always has an entry; an impossible index stores the built-in one.
    const int cutoff = (settings.cutoff >= 0 && settings.cutoff < 4) ? settings.cutoff : 2;
    writeSetting(document, settings::useSound, settings.useSound);
    writeSetting(document, settings::soundFilterEnable, settings.filterEnabled);
    writeSetting(document, settings::soundFilterCutoff, decimal(kCutoffFrequencies[cutoff]));
    writeSetting(document, settings::soundStereoExciter, settings.effect == 1);
    writeSetting(document, settings::soundSurroundLiteEnable, settings.effect == 2);
    writeSetting(document, settings::soundSurroundLiteMultiplier, settings.multiplier);
}

SoundSettingsRead readSoundSettings(const IniDocument& document) {
    SoundSettingsRead result;
    result.useSound = readSetting(document, settings::useSound);
    result.filterEnabled = readSetting(document, settings::soundFilterEnable);
    const std::string cutoffText = readSetting(document, settings::soundFilterCutoff);
    const std::optional<int> frequency = parseInteger(cutoffText);
    if (!frequency) {
        result.error = invalidIntegerError(cutoffText).what();
        return result;
    }
    result.cutoff = cutoffIndex(*frequency);
    result.effect = decodeSoundEffect(readSetting(document, settings::soundStereoExciter),
                                      readSetting(document, settings::soundSurroundLiteEnable));
    result.multiplier = readSetting(document, settings::soundSurroundLiteMultiplier);
    return result;
}

}  // namespace tavrix
