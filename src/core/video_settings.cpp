#include "core/video_settings.h"

namespace tavrix {

std::optional<Resolution> resolutionOf(int index) {
    if (index < 0 || index >= kResolutionCount) return std::nullopt;
    return kResolutions[index];
}

std::optional<int> resolutionIndex(int width, int height) {
    switch (width) {
        case 320: return 0;
        case 400: return 1;
        case 512: return height == 240 ? 2 : 3;
        case 640: return 4;
        case 800: return 5;
        case 1024: return height == 480 ? 6 : 7;
        case 1280: return 8;
        default: return std::nullopt;
    }
}

void applyUpdate(VideoSettings& s, const VideoSettingsUpdate& u) {
    auto take = [](auto& target, const auto& value) {
        if (value) target = *value;
    };
    take(s.resolution, u.resolution);
    take(s.fullScreen, u.fullScreen);
    take(s.stretching, u.stretching);
    take(s.colorDepth, u.colorDepth);
    take(s.dithering, u.dithering);
    take(s.scanLines, u.scanLines);
    take(s.filtering, u.filtering);
    take(s.blending, u.blending);
    take(s.showFps, u.showFps);
    take(s.frameLimit, u.frameLimit);
    take(s.frameSkip, u.frameSkip);
    take(s.autoFramerate, u.autoFramerate);
    take(s.frameRate, u.frameRate);
    take(s.textureType, u.textureType);
    take(s.textureCaching, u.textureCaching);
    take(s.rendererKeys, u.rendererKeys);
    take(s.rotation, u.rotation);
    take(s.hideConsole, u.hideConsole);
}

std::optional<VideoKeys> readVideoKeys(const IniDocument& document) {
    if (!document.hasSection(kSettingsSection)) return std::nullopt;
    VideoKeys keys;
    keys.renderer = decodeRendererKind(readSetting(document, settings::renderer));
    keys.slowGeometry = readSetting(document, settings::useSlowGeometry);
    keys.rotation = decodeRotation(readSetting(document, settings::rotateScreen));
    keys.hideConsole = readSetting(document, settings::hideOrvoConsole);
    keys.registrySettings = readSetting(document, settings::registryConfiguration);
    return keys;
}

void writeVideoKeys(IniDocument& document, const VideoSettings& settings) {
    writeSetting(document, settings::renderer, rendererPluginFileName(settings.renderer));
    writeSetting(document, settings::useSlowGeometry, settings.slowGeometry);
    writeSetting(document, settings::rotateScreen, rotationDegrees(settings.rotation));
    writeSetting(document, settings::hideOrvoConsole, settings.hideConsole);
    writeSetting(document, settings::registryConfiguration, settings.registrySettings);
}

}  // namespace tavrix
