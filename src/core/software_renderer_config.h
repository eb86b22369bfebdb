#pragma once
// tavrix-renderer-sft.cfg: the INI file shared with the software renderer plug-in. The front
// end owns thirteen keys in the sections screen, framerate, misc and fixes, and keeps every
// other key and section of the plug-in as it found them.
#include "core/ini_document.h"
#include "core/video_settings.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavrix {

// Sets the thirteen owned keys in their fixed order from the page's values: existing keys
// keep their place, new ones go to the end of their section, new sections to the end.
void storeSoftwareRendererConfig(IniDocument& document, const VideoSettings& settings);

// Reads the file (or creates it) and writes it back with the owned keys set.
void saveSoftwareRendererConfig(const VideoSettings& settings);

struct SoftwareConfigRead {
    // The file has no screen section (a missing file included): `update` holds the defaults
    // for a new file and the caller is to write the file.
    bool sectionMissing = false;
    // What to apply to the controls. When `error` is set, only what was decided before the
    // failing conversion.
    VideoSettingsUpdate update;
    // A ResX or ResY that is present but not an integer ends the reading with this message.
    std::optional<std::string> error;
};

SoftwareConfigRead readSoftwareRendererConfig(std::string_view bytes);

}  // namespace tavrix
