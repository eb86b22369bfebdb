#include "core/settings.h"

#include <cstdint>

namespace tavrix {

bool readSetting(const IniDocument& document, const BoolSetting& setting) {
    return document.readBool(kSettingsSection, setting.key, setting.defaultValue);
}

int readSetting(const IniDocument& document, const IntSetting& setting) {
    return document.readInteger(kSettingsSection, setting.key, setting.defaultValue);
}

std::string readSetting(const IniDocument& document, const StringSetting& setting) {
    return document.readString(kSettingsSection, setting.key, setting.defaultValue);
}

void writeSetting(IniDocument& document, const BoolSetting& setting, bool value) {
    document.writeBool(kSettingsSection, setting.key, value);
}

void writeSetting(IniDocument& document, const IntSetting& setting, int value) {
    document.writeInteger(kSettingsSection, setting.key, value);
}

void writeSetting(IniDocument& document, const StringSetting& setting, std::string_view value) {
    document.writeString(kSettingsSection, setting.key, value);
}

SortingType decodeSortingType(int stored) {
    const auto v = static_cast<std::int8_t>(static_cast<std::uint8_t>(stored & 0xFF));
    if (v >= 10) return SortingType{v - 10, true};
    return SortingType{v, false};
}

int encodeSortingType(int choice, bool ascending) {
    return choice + (ascending ? 10 : 0);
}

int decodeRotation(int stored) {
    int index = (stored >= 0 && stored <= 3) ? stored : -1;
    switch (stored) {
        case 0: index = 0; break;
        case 90: index = 1; break;
        case 180: index = 2; break;
        case 270: index = 3; break;
        default: break;
    }
    return index;
}

int rotationDegrees(int index) {
    return (index >= 0 && index <= 3) ? index * 90 : 0;
}

std::optional<RendererKind> decodeRendererKind(std::string_view value) {
    if (value.size() < 12) return std::nullopt;
    const std::string_view kind = value.substr(9, 3);
    if (kind == "sft") return RendererKind::Software;
    if (kind == "d3d") return RendererKind::Direct3D;
    if (kind == "ogl") return RendererKind::OpenGL;
    return std::nullopt;
}

const char* rendererKindName(RendererKind kind) {
    switch (kind) {
        case RendererKind::Software: return "sft";
        case RendererKind::Direct3D: return "d3d";
        case RendererKind::OpenGL: return "ogl";
    }
    return "d3d";
}

std::string rendererPluginFileName(RendererKind kind) {
    return std::string("renderer-") + rendererKindName(kind) + ".orv";
}

std::optional<int> cutoffIndex(int frequency) {
    for (int i = 0; i < 4; ++i)
        if (kCutoffFrequencies[i] == frequency) return i;
    return std::nullopt;
}

int decodeSoundEffect(bool stereoExciter, bool surroundLite) {
    if (surroundLite) return 2;
    if (stereoExciter) return 1;
    return 0;
}

}  // namespace tavrix
