#pragma once
// The Video page as the files see it: one plain value holding every control that a file
// carries, the resolution table shared by both renderer files, and the five keys of the
// settings section that the page owns.
//
// List choices are item indexes; -1 means the list has no selection (a stored number outside
// the list's range leaves it so, and a later save writes what the list then holds).
#include "core/ini_document.h"
#include "core/settings.h"

#include <optional>
#include <string>

namespace tavrix {

struct Resolution {
    int width;
    int height;
};

// Items of the resolution list, in order ("320x240" ... "1280x960").
inline constexpr Resolution kResolutions[9] = {
    {320, 240}, {400, 300}, {512, 240}, {512, 384}, {640, 480},
    {800, 600}, {1024, 480}, {1024, 768}, {1280, 960},
};
inline constexpr int kResolutionCount = 9;

// Width and height of a list entry; empty for an index outside the list.
std::optional<Resolution> resolutionOf(int index);
// The list entry for a stored width and height. The height decides only between the two
// entries of width 512 (240 or anything else) and of 1024 (480 or anything else); an unknown
// width gives nothing, which leaves the list as it was.
std::optional<int> resolutionIndex(int width, int height);

// Every value the Video page keeps, with the page's built-in state as defaults.
struct VideoSettings {
    RendererKind renderer = RendererKind::OpenGL;  // CB18 "3D interface:"
    int resolution = 5;                            // CB3, "800x600"
    bool fullScreen = false;                       // CB4
    bool stretching = true;                        // CB2
    int colorDepth = 1;                            // CB5: 0 "16 bit", 1 "32 bit"
    bool dithering = false;                        // CB9 checked
    bool ditheringEnabled = false;                 // CB9 enabled (the hardware file needs both)
    int scanLines = 0;                             // CB6
    int filtering = 0;                             // CB7
    bool slowGeometry = true;                      // CB17
    int blending = 0;                              // CB10
    bool showFps = false;                          // CB28
    int frameLimit = 1;                            // CB11: 0 "no", 1 "yes"
    bool frameSkip = false;                        // CB12
    int autoFramerate = 1;                         // CB13: 0 "no", 1 "yes"
    std::string frameRate = "100";                 // E2, kept as typed
    int textureType = 3;                           // CB14
    bool rendererKeys = true;                      // CB16
    int textureCaching = 2;                        // CB15
    bool hideConsole = false;                      // CB29
    int rotation = 0;                              // CB8: 0°, 90°, 180°, 270°
    bool registrySettings = false;                 // CB22
};

// What a reader decided for the controls. An empty member leaves its control as it is.
struct VideoSettingsUpdate {
    std::optional<int> resolution;
    std::optional<bool> fullScreen;
    std::optional<bool> stretching;
    std::optional<int> colorDepth;
    std::optional<bool> dithering;
    std::optional<int> scanLines;
    std::optional<int> filtering;
    std::optional<int> blending;
    std::optional<bool> showFps;
    std::optional<int> frameLimit;
    std::optional<bool> frameSkip;
    std::optional<int> autoFramerate;
    std::optional<std::string> frameRate;
    std::optional<int> textureType;
    std::optional<int> textureCaching;
    std::optional<bool> rendererKeys;
    std::optional<int> rotation;
    std::optional<bool> hideConsole;
};

// Copies every decided member of `update` into `settings`.
void applyUpdate(VideoSettings& settings, const VideoSettingsUpdate& update);

// The page's keys of the settings section, as read.
struct VideoKeys {
    std::optional<RendererKind> renderer;  // empty: the stored kind is none of the three
    bool slowGeometry = false;
    int rotation = 0;                      // list index, -1 for no entry
    bool hideConsole = false;
    bool registrySettings = false;
};

// Empty when the document has no settings section (the page then keeps its controls).
std::optional<VideoKeys> readVideoKeys(const IniDocument& document);
// Sets renderer, use-slow-geometry, rotate-screen (in degrees), hide-orvo-console and
// registry-configuration, in that order.
void writeVideoKeys(IniDocument& document, const VideoSettings& settings);

}  // namespace tavrix
