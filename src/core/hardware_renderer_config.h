#pragma once
// tavrix-renderer.cfg: the fixed nineteen-line file of the Direct3D and OpenGL renderer
// plug-ins. Written whole from the page's values; read back by line position, keys unseen.
#include "core/video_settings.h"

#include <string>
#include <string_view>

namespace tavrix {

// The nineteen lines, each ended by CR LF.
std::string hardwareRendererConfig(const VideoSettings& settings);

// Writes the file, replacing whatever it held.
void saveHardwareRendererConfig(const VideoSettings& settings);

struct HardwareConfigRead {
    // What the reading decided, in line order. On a failure, only what was decided before it.
    VideoSettingsUpdate update;
    // The reading got past the filtering line, where the page runs its renderer rule before
    // it applies the blending line.
    bool rendererRuleReached = false;
    // A line is missing or does not convert: the caller restores hardwareRendererDefaults()
    // and writes the file and the settings keys anew. Nothing is reported to the user.
    bool failed = false;
};

// An empty `bytes` is a missing file, which fails like any short file.
HardwareConfigRead readHardwareRendererConfig(std::string_view bytes);

// The controls' values after a failed read (rotation and "Hide console" included).
VideoSettingsUpdate hardwareRendererDefaults();

}  // namespace tavrix
