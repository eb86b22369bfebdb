// Any bytes as either renderer file: both readers must hold up, and what they read must come
// back unchanged after the page writes it and reads it again.
#include "core/hardware_renderer_config.h"
#include "core/ini_document.h"
#include "core/software_renderer_config.h"
#include "core/video_settings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using tavrix::VideoSettings;

bool sameValues(const VideoSettings& a, const VideoSettings& b) {
    // Writing drops NUL bytes from a value, so the frame-rate text is compared without them.
    auto withoutNul = [](std::string text) {
        std::erase(text, '\0');
        return text;
    };
    return a.resolution == b.resolution && a.fullScreen == b.fullScreen && a.stretching == b.stretching &&
           a.colorDepth == b.colorDepth && a.dithering == b.dithering && a.scanLines == b.scanLines &&
           a.filtering == b.filtering && a.blending == b.blending && a.showFps == b.showFps &&
           a.frameLimit == b.frameLimit && a.frameSkip == b.frameSkip && a.autoFramerate == b.autoFramerate &&
           withoutNul(a.frameRate) == withoutNul(b.frameRate) && a.textureType == b.textureType &&
           a.textureCaching == b.textureCaching && a.rendererKeys == b.rendererKeys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const auto hardware = tavrix::readHardwareRendererConfig(bytes);
    if (!hardware.failed) {
        VideoSettings first;
        first.ditheringEnabled = true;
        tavrix::applyUpdate(first, hardware.update);
        const auto again = tavrix::readHardwareRendererConfig(tavrix::hardwareRendererConfig(first));
        if (again.failed) std::abort();
        VideoSettings second;
        second.ditheringEnabled = true;
        tavrix::applyUpdate(second, again.update);
        if (!sameValues(first, second)) std::abort();
    }

    const auto software = tavrix::readSoftwareRendererConfig(bytes);
    if (!software.error) {
        VideoSettings first;
        tavrix::applyUpdate(first, software.update);
        auto document = tavrix::IniDocument::parse(bytes);
        tavrix::storeSoftwareRendererConfig(document, first);
        const auto again = tavrix::readSoftwareRendererConfig(document.serialize());
        if (again.error || again.sectionMissing) std::abort();
        VideoSettings second;
        tavrix::applyUpdate(second, again.update);
        if (!sameValues(first, second)) std::abort();
    }
    return 0;
}
