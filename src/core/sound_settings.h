#pragma once
// The Sound page's six keys of the settings section: one plain value for Save and the
// step-by-step result of the reload, which can stop half-way at a cutoff that is no number.
#include "core/ini_document.h"

#include <optional>
#include <string>

namespace tavrix {

struct SoundSettings {
    bool useSound = false;          // CB1
    bool filterEnabled = false;     // CB19
    int cutoff = 2;                 // CB20 entry: 8000, 11025, 22050, 44100 Hz
    int effect = 0;                 // RG1: 0 none, 1 stereo exciter, 2 lite surround
    std::string multiplier = "40";  // E3, kept as typed
};

// Writes use-sound, sound-filter-enable, sound-filter-cutoff, sound-stereo-exciter,
// sound-surround-lite-enable and sound-surround-lite-multiplier, in that order.
void writeSoundSettings(IniDocument& document, const SoundSettings& settings);

struct SoundSettingsRead {
    bool useSound = true;
    bool filterEnabled = false;
    // The stored cutoff is not a whole number: this is the message, and nothing after the
    // filter check box was read.
    std::optional<std::string> error;
    // The cutoff entry; empty for a number that is none of the four (the list keeps its entry).
    std::optional<int> cutoff;
    int effect = 0;
    std::string multiplier = "40";
};

SoundSettingsRead readSoundSettings(const IniDocument& document);

}  // namespace tavrix
