#include "core/hardware_renderer_config.h"

#include "core/emulator_contract.h"
#include "core/file_io.h"
#include "core/text.h"

#include <optional>
#include <vector>

namespace tavrix {

namespace {

// The size written for a list without a selection: the size of a new file.
constexpr Resolution kFallbackResolution{800, 600};

std::string flag(bool value) {
    return value ? "1" : "0";
}

// The file's lines: CR, LF and CR LF each end a line; a last line without an end counts.
std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        lines.push_back(bytes.substr(pos, end - pos));
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')
            pos = end + 2;
        else
            pos = end + 1;
    }
    return lines;
}

// Reads values by line number (from 1). Every accessor returns empty once a line is missing
// or does not convert, which is the reading's failure.
class LineValues {
public:
    explicit LineValues(std::string_view bytes) : lines_(splitLines(bytes)) {}

    // The text after the first "=", or the whole line when it has none.
    std::optional<std::string_view> text(size_t number) const {
        if (number == 0 || number > lines_.size()) return std::nullopt;
        const std::string_view line = lines_[number - 1];
        const size_t equals = line.find('=');
        return equals == std::string_view::npos ? line : line.substr(equals + 1);
    }

    std::optional<int> integer(size_t number) const {
        const auto value = text(number);
        if (!value) return std::nullopt;
        return parseInteger(*value);
    }

    // A number, whole or with a fraction (non-zero is true), or the words true and false in
    // any letter case.
    std::optional<bool> boolean(size_t number) const {
        const auto value = text(number);
        if (!value) return std::nullopt;
        if (const auto n = numberIsNonZero(*value)) return *n;
        if (equalsIgnoreCase(*value, "true")) return true;
        if (equalsIgnoreCase(*value, "false")) return false;
        return std::nullopt;
    }

private:
    std::vector<std::string_view> lines_;
};

}  // namespace

std::string hardwareRendererConfig(const VideoSettings& s) {
    const Resolution size = resolutionOf(s.resolution).value_or(kFallbackResolution);
    const std::string lines[19] = {
        "; Tavrix",
        "",
        "XSize=" + decimal(size.width),
        "YSize=" + decimal(size.height),
        "FullScreen=" + flag(s.fullScreen),
        std::string("ColorDepth=") + (s.colorDepth == 0 ? "16" : "32"),
        "ScanLines=" + decimal(s.scanLines),
        "Filtering=" + decimal(s.filtering),
        "Blending=" + decimal(s.blending),
        // A checked box that the colour depth or the registry settings disabled is off.
        "Dithering=" + flag(s.dithering && s.ditheringEnabled),
        "ShowFPS=" + flag(s.showFps),
        "FrameLimitation=" + decimal(s.frameLimit),
        "FrameSkipping=" + flag(s.frameSkip),
        "FramerateDetection=" + decimal(s.autoFramerate),
        "FramerateManual=" + s.frameRate,
        "TextureType=" + decimal(s.textureType),
        "TextureCaching=" + decimal(s.textureCaching),
        "EnableKeys=" + flag(s.rendererKeys),
        "FastExcel=0",
    };
    std::string out;
    for (const std::string& line : lines) {
        // The frame-rate text is free text: a line break in it would shift every later line.
        for (char c : line)
            if (c != '\r' && c != '\n') out += c;
        out += "\r\n";
    }
    return out;
}

void saveHardwareRendererConfig(const VideoSettings& settings) {
    writeFileAtomically(emulator::kHardwareRendererConfigFile, hardwareRendererConfig(settings));
}

HardwareConfigRead readHardwareRendererConfig(std::string_view bytes) {
    const LineValues lines(bytes);
    HardwareConfigRead result;
    VideoSettingsUpdate& update = result.update;
    result.failed = true;  // until the last line has been read

    const auto height = lines.integer(4);
    if (!height) return result;
    const auto width = lines.integer(3);
    if (!width) return result;
    update.resolution = resolutionIndex(*width, *height);

    const auto fullScreen = lines.text(5);
    if (!fullScreen) return result;
    update.fullScreen = *fullScreen == "1";

    const auto depth = lines.text(6);
    if (!depth) return result;
    update.colorDepth = *depth == "16" ? 0 : 1;

    const auto scanLines = lines.integer(7);
    if (!scanLines) return result;
    update.scanLines = *scanLines;

    const auto filtering = lines.integer(8);
    if (!filtering) return result;
    update.filtering = *filtering;
    result.rendererRuleReached = true;

    const auto blending = lines.integer(9);
    if (!blending) return result;
    update.blending = *blending;

    const auto dithering = lines.text(10);
    if (!dithering) return result;
    update.dithering = *dithering == "1";

    const auto showFps = lines.boolean(11);
    if (!showFps) return result;
    update.showFps = *showFps;

    const auto frameLimit = lines.integer(12);
    if (!frameLimit) return result;
    update.frameLimit = *frameLimit;

    const auto frameSkip = lines.text(13);
    if (!frameSkip) return result;
    update.frameSkip = *frameSkip == "1";

    const auto detection = lines.integer(14);
    if (!detection) return result;
    update.autoFramerate = *detection;

    const auto frameRate = lines.text(15);
    if (!frameRate) return result;
    update.frameRate = std::string(*frameRate);

    const auto textureType = lines.integer(16);
    if (!textureType) return result;
    update.textureType = *textureType;

    const auto caching = lines.integer(17);
    if (!caching) return result;
    update.textureCaching = *caching;

    const auto keys = lines.text(18);
    if (!keys) return result;
    update.rendererKeys = *keys == "1";

    result.failed = false;
    return result;
}

VideoSettingsUpdate hardwareRendererDefaults() {
    VideoSettingsUpdate d;
    d.resolution = 5;  // 800x600
    d.fullScreen = false;
    d.colorDepth = 1;  // 32 bit
    d.stretching = true;
    d.scanLines = 0;
    d.filtering = 0;
    d.showFps = false;
    d.dithering = false;
    d.blending = 0;
    d.frameLimit = 1;
    d.frameSkip = false;
    d.autoFramerate = 1;
    d.rotation = 0;
    d.hideConsole = false;
    d.frameRate = "100";
    d.textureType = 3;     // 8 bit
    d.textureCaching = 2;
    d.rendererKeys = true;
    return d;
}

}  // namespace tavrix
