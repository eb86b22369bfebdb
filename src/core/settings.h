#pragma once
// Every key of the settings section of tavrix.ini, declared once with its default, and the
// decoding of the keys whose stored form differs from the control that shows them.
#include "core/ini_document.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavrix {

inline constexpr const char* kSettingsFileName = "tavrix.ini";
inline constexpr const char* kSettingsSection = "Tavrix";

struct BoolSetting {
    const char* key;
    bool defaultValue;
};
struct IntSetting {
    const char* key;
    int defaultValue;
};
struct StringSetting {
    const char* key;
    const char* defaultValue;
};

namespace settings {
inline constexpr BoolSetting firstStartup{"first-startup", false};
inline constexpr BoolSetting englishVersion{"english-version", false};
inline constexpr StringSetting romsDirectory{"roms-directory", ".\\roms"};
inline constexpr BoolSetting startupScan{"startup-scan", false};
inline constexpr BoolSetting showFullRomset{"show-full-romset", false};
inline constexpr BoolSetting showAllColumns{"show-all-columns", false};
// Its default is the sort choice currently shown, which the caller passes.
inline constexpr const char* sortingType = "sorting-type";
inline constexpr BoolSetting useSound{"use-sound", true};
inline constexpr BoolSetting soundFilterEnable{"sound-filter-enable", false};
inline constexpr StringSetting soundFilterCutoff{"sound-filter-cutoff", "22050"};
inline constexpr BoolSetting soundStereoExciter{"sound-stereo-exciter", false};
inline constexpr BoolSetting soundSurroundLiteEnable{"sound-surround-lite-enable", false};
inline constexpr StringSetting soundSurroundLiteMultiplier{"sound-surround-lite-multiplier", "40"};
inline constexpr StringSetting renderer{"renderer", "renderer-d3d.orv"};
inline constexpr BoolSetting useSlowGeometry{"use-slow-geometry", false};
inline constexpr IntSetting rotateScreen{"rotate-screen", 0};
inline constexpr BoolSetting hideOrvoConsole{"hide-orvo-console", false};
inline constexpr BoolSetting registryConfiguration{"registry-configuration", false};
}  // namespace settings

// Reads and writes of the settings section.
bool readSetting(const IniDocument& document, const BoolSetting& setting);
int readSetting(const IniDocument& document, const IntSetting& setting);
std::string readSetting(const IniDocument& document, const StringSetting& setting);
void writeSetting(IniDocument& document, const BoolSetting& setting, bool value);
void writeSetting(IniDocument& document, const IntSetting& setting, int value);
void writeSetting(IniDocument& document, const StringSetting& setting, std::string_view value);

// sorting-type: the low 8 bits as a signed number v; v >= 10 is choice v - 10 ascending,
// otherwise choice v descending. Choices outside 0..3 are passed on for the caller to judge.
struct SortingType {
    int choice = 0;
    bool ascending = false;
};
SortingType decodeSortingType(int stored);
int encodeSortingType(int choice, bool ascending);

// rotate-screen: first the number as an index (0..3), then the degree values 0, 90, 180 and
// 270 override it. Anything else selects no entry (-1).
int decodeRotation(int stored);
int rotationDegrees(int index);  // 0, 90, 180, 270 for 0..3

enum class RendererKind { Software = 0, Direct3D = 1, OpenGL = 2 };
// Only characters 10 to 12 of the value (counted from 1) decide, compared exactly.
std::optional<RendererKind> decodeRendererKind(std::string_view value);
const char* rendererKindName(RendererKind kind);          // "sft", "d3d", "ogl"
std::string rendererPluginFileName(RendererKind kind);    // "renderer-ogl.orv"

// sound-filter-cutoff: 8000, 11025, 22050 and 44100 are entries 0 to 3.
inline constexpr int kCutoffFrequencies[4] = {8000, 11025, 22050, 44100};
std::optional<int> cutoffIndex(int frequency);

// The two effect keys encode one three-way choice: 0 none, 1 stereo exciter, 2 lite surround
// (which wins when both are set).
int decodeSoundEffect(bool stereoExciter, bool surroundLite);

}  // namespace tavrix
