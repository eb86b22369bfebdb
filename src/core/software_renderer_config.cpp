#include "core/software_renderer_config.h"

#include "core/emulator_contract.h"
#include "core/error.h"
#include "core/text.h"

namespace tavrix {

namespace {

constexpr const char* kScreen = "screen";
constexpr const char* kFramerate = "framerate";
constexpr const char* kMisc = "misc";
constexpr const char* kFixes = "fixes";

// The resolution written for a list without a selection: the size of a new file.
constexpr Resolution kFallbackResolution{640, 480};

}  // namespace

void storeSoftwareRendererConfig(IniDocument& document, const VideoSettings& settings) {
    const Resolution size = resolutionOf(settings.resolution).value_or(kFallbackResolution);
    document.writeInteger(kScreen, "ResX", size.width);
    document.writeInteger(kScreen, "ResY", size.height);
    document.writeBool(kScreen, "FullScreen", settings.fullScreen);
    document.writeBool(kScreen, "NoStretch", !settings.stretching);
    document.writeBool(kScreen, "UseDither", settings.dithering);
    document.writeBool(kFramerate, "ShowFPS", settings.showFps);
    document.writeInteger(kFramerate, "UseFrameLimit", settings.frameLimit);
    document.writeBool(kFramerate, "UseFrameSkip", settings.frameSkip);
    // Stored one above the list index: 1 "no", 2 "yes".
    document.writeInteger(kFramerate, "FPSDetection", settings.autoFramerate + 1);
    document.writeString(kFramerate, "FrameRate", settings.frameRate);
    document.writeInteger(kMisc, "ScanLines", settings.scanLines);
    document.writeInteger(kFixes, "UseFixes", 0);
    document.writeInteger(kFixes, "CfgFixes", 0);
}

void saveSoftwareRendererConfig(const VideoSettings& settings) {
    const std::string fileName = emulator::kSoftwareRendererConfigFile;
    IniDocument document = IniDocument::load(fileName);
    storeSoftwareRendererConfig(document, settings);
    document.save(fileName);
}

SoftwareConfigRead readSoftwareRendererConfig(std::string_view bytes) {
    const IniDocument document = IniDocument::parse(bytes);
    SoftwareConfigRead result;
    VideoSettingsUpdate& update = result.update;

    if (!document.hasSection(kScreen)) {
        // A new file: frame limit and auto framerate "yes", unlike missing keys of an
        // existing section. The frame-rate text stays as the page shows it.
        result.sectionMissing = true;
        update.resolution = 4;  // 640x480
        update.fullScreen = false;
        update.colorDepth = 1;  // 32 bit
        update.stretching = true;
        update.dithering = false;
        update.showFps = false;
        update.frameLimit = 1;
        update.frameSkip = false;
        update.autoFramerate = 1;
        update.scanLines = 0;
        return result;
    }

    const std::string heightText = document.readString(kScreen, "ResY", "480");
    const std::optional<int> height = parseInteger(heightText);
    if (!height) {
        result.error = invalidIntegerError(heightText).what();
        return result;
    }
    const std::string widthText = document.readString(kScreen, "ResX", "640");
    const std::optional<int> width = parseInteger(widthText);
    if (!width) {
        result.error = invalidIntegerError(widthText).what();
        return result;
    }
    update.resolution = resolutionIndex(*width, *height);

    update.fullScreen = document.readBool(kScreen, "FullScreen", false);
    update.stretching = !document.readBool(kScreen, "NoStretch", false);
    update.dithering = document.readBool(kScreen, "UseDither", false);
    update.showFps = document.readBool(kFramerate, "ShowFPS", false);
    update.frameSkip = document.readBool(kFramerate, "UseFrameSkip", false);
    update.frameLimit = document.readInteger(kFramerate, "UseFrameLimit", 0);
    // Widened so that a stored minimum integer does not overflow when made an index.
    const long long detection = document.readInteger(kFramerate, "FPSDetection", 1);
    update.autoFramerate = detection - 1 < -1 ? -1 : static_cast<int>(detection - 1);
    update.frameRate = document.readString(kFramerate, "FrameRate", "100");
    update.scanLines = document.readInteger(kMisc, "ScanLines", 0);
    return result;
}

}  // namespace tavrix
