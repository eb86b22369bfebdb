#include "core/emulator_contract.h"
#include "core/error.h"
#include "core/hardware_renderer_config.h"
#include "core/ini_document.h"
#include "core/software_renderer_config.h"
#include "core/video_settings.h"
#include "fixtures/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tavrix;
using tavrix::test::readFile;
using tavrix::test::TempDir;
using tavrix::test::writeFile;

namespace {

std::string crlfLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) out += line + "\r\n";
    return out;
}

// A hardware file as written with the given line texts in place of the defaults' lines.
std::vector<std::string> defaultHardwareLines() {
    return {"; Tavrix", "", "XSize=800", "YSize=600", "FullScreen=0", "ColorDepth=32",
            "ScanLines=0", "Filtering=0", "Blending=0", "Dithering=0", "ShowFPS=0",
            "FrameLimitation=1", "FrameSkipping=0", "FramerateDetection=1",
            "FramerateManual=100", "TextureType=3", "TextureCaching=2", "EnableKeys=1",
            "FastExcel=0"};
}

VideoSettings settingsAfter(const VideoSettingsUpdate& update, VideoSettings start = {}) {
    applyUpdate(start, update);
    return start;
}

}  // namespace

TEST(ResolutionTable, MapsBothWaysWithTheHeightDecidingOnlyFor512And1024) {
    for (int i = 0; i < kResolutionCount; ++i) {
        const auto size = resolutionOf(i);
        ASSERT_TRUE(size);
        EXPECT_EQ(resolutionIndex(size->width, size->height), i) << i;
    }
    EXPECT_EQ(resolutionIndex(1024, 600), 7);
    EXPECT_EQ(resolutionIndex(512, 100), 3);
    EXPECT_EQ(resolutionIndex(320, 9999), 0);
    EXPECT_FALSE(resolutionIndex(1152, 864));
    EXPECT_FALSE(resolutionOf(-1));
    EXPECT_FALSE(resolutionOf(9));
}

TEST(SoftwareRendererConfig, NewFileHoldsTheDefaultsInTheFixedOrder) {
    const SoftwareConfigRead read = readSoftwareRendererConfig("");
    ASSERT_TRUE(read.sectionMissing);
    EXPECT_FALSE(read.error);
    EXPECT_FALSE(read.update.frameRate) << "the frame-rate box keeps its text";
    VideoSettings settings;
    settings.frameRate = "100";
    applyUpdate(settings, read.update);
    IniDocument document;
    storeSoftwareRendererConfig(document, settings);
    EXPECT_EQ(document.serialize(),
              crlfLines({"[screen]", "ResX=640", "ResY=480", "FullScreen=0", "NoStretch=0",
                         "UseDither=0", "", "[framerate]", "ShowFPS=0", "UseFrameLimit=1",
                         "UseFrameSkip=0", "FPSDetection=2", "FrameRate=100", "", "[misc]",
                         "ScanLines=0", "", "[fixes]", "UseFixes=0", "CfgFixes=0", ""}));
}

TEST(SoftwareRendererConfig, KeepsThePluginsOwnKeysAndRewritesTheFixes) {
    TempDir dir;
    writeFile(emulator::kSoftwareRendererConfigFile,
              "; plug-in notes\r\n[plugin]\r\nGamma=3\r\n[fixes]\r\nUseFixes=7\r\nOwn=x\r\nCfgFixes=5\r\n"
              "[screen]\r\nExtra=1\r\nresx=320\r\n");
    VideoSettings settings;
    settings.resolution = 7;
    settings.stretching = false;
    settings.autoFramerate = 0;
    settings.frameRate = "abc";
    settings.scanLines = -1;
    saveSoftwareRendererConfig(settings);
    EXPECT_EQ(readFile(emulator::kSoftwareRendererConfigFile),
              crlfLines({"[plugin]", "Gamma=3", "", "[fixes]", "UseFixes=0", "Own=x", "CfgFixes=0", "",
                         "[screen]", "Extra=1", "ResX=1024", "ResY=768", "FullScreen=0", "NoStretch=1",
                         "UseDither=0", "", "[framerate]", "ShowFPS=0", "UseFrameLimit=1",
                         "UseFrameSkip=0", "FPSDetection=1", "FrameRate=abc", "", "[misc]",
                         "ScanLines=-1", ""}));
}

TEST(SoftwareRendererConfig, ReadsEachKeyWithItsDefaultAndTheResolutionTable) {
    const auto read = readSoftwareRendererConfig(
        "[screen]\nResX=1024\nResY=600\nFullScreen=1\nNoStretch=1\nUseDither=5\n"
        "[framerate]\nShowFPS=yes\nFPSDetection=2\nFrameRate= 50x \n[misc]\nScanLines=2\n");
    ASSERT_FALSE(read.sectionMissing);
    ASSERT_FALSE(read.error);
    const auto& u = read.update;
    EXPECT_EQ(u.resolution, 7);  // 1024x768
    EXPECT_EQ(u.fullScreen, true);
    EXPECT_EQ(u.stretching, false);
    EXPECT_EQ(u.dithering, true);
    EXPECT_EQ(u.showFps, false) << "a non-number gives the default";
    EXPECT_EQ(u.frameSkip, false);
    EXPECT_EQ(u.frameLimit, 0) << "a missing key in an existing section means no";
    EXPECT_EQ(u.autoFramerate, 1);
    EXPECT_EQ(u.frameRate, "50x");
    EXPECT_EQ(u.scanLines, 2) << "out of range: passed on for the list to refuse";
    EXPECT_FALSE(u.colorDepth);

    const auto minimal = readSoftwareRendererConfig("[Screen]\nFullScreen=0\n");
    EXPECT_FALSE(minimal.sectionMissing);
    EXPECT_EQ(minimal.update.resolution, 4) << "ResX 640 and ResY 480 by default";
    EXPECT_EQ(minimal.update.autoFramerate, 0) << "FPSDetection defaults to 1, meaning no";
    EXPECT_EQ(minimal.update.frameRate, "100");
}

TEST(SoftwareRendererConfig, UnknownWidthLeavesTheResolutionAndBadSizesStopTheRead) {
    const auto unknown = readSoftwareRendererConfig("[screen]\nResX=1152\nResY=864\nFullScreen=1\n");
    ASSERT_FALSE(unknown.error);
    EXPECT_FALSE(unknown.update.resolution);
    EXPECT_EQ(settingsAfter(unknown.update).resolution, 5);
    EXPECT_EQ(unknown.update.fullScreen, true);

    const auto badWidth = readSoftwareRendererConfig("[screen]\nResX=wide\nFullScreen=1\n");
    ASSERT_TRUE(badWidth.error);
    EXPECT_EQ(*badWidth.error, "'wide' is not a valid integer value");
    EXPECT_FALSE(badWidth.update.fullScreen) << "nothing after the failure is decided";
    EXPECT_FALSE(badWidth.update.resolution);

    // The height is converted first, and an empty value is no integer either.
    const auto badBoth = readSoftwareRendererConfig("[screen]\nResX=x\nResY=\n");
    ASSERT_TRUE(badBoth.error);
    EXPECT_EQ(*badBoth.error, "'' is not a valid integer value");
}

TEST(SoftwareRendererConfig, PluginSectionOnlyIsKeptAtTheTopOfTheNewFile) {
    TempDir dir;
    writeFile(emulator::kSoftwareRendererConfigFile, "[own]\r\nA=1\r\n");
    const auto read = readSoftwareRendererConfig(readFile(emulator::kSoftwareRendererConfigFile));
    ASSERT_TRUE(read.sectionMissing);
    saveSoftwareRendererConfig(settingsAfter(read.update));
    const auto names = IniDocument::load(emulator::kSoftwareRendererConfigFile).sectionNames();
    EXPECT_EQ(names, (std::vector<std::string>{"own", "screen", "framerate", "misc", "fixes"}));
}

TEST(HardwareRendererConfig, DefaultsWriteTheNineteenListedLines) {
    VideoSettings settings;
    applyUpdate(settings, hardwareRendererDefaults());
    EXPECT_EQ(hardwareRendererConfig(settings), crlfLines(defaultHardwareLines()));
}

TEST(HardwareRendererConfig, WritesIndexesFlagsAndTheDitheringOnlyWhenEnabled) {
    VideoSettings s;
    s.resolution = 2;
    s.fullScreen = true;
    s.colorDepth = 0;
    s.scanLines = 2;
    s.filtering = -1;
    s.blending = 2;
    s.dithering = true;
    s.ditheringEnabled = false;
    s.showFps = true;
    s.frameLimit = 0;
    s.frameSkip = true;
    s.autoFramerate = 0;
    s.frameRate = " 60 ";
    s.textureType = 0;
    s.textureCaching = 3;
    s.rendererKeys = false;
    auto expected = std::vector<std::string>{
        "; Tavrix", "", "XSize=512", "YSize=240", "FullScreen=1", "ColorDepth=16", "ScanLines=2",
        "Filtering=-1", "Blending=2", "Dithering=0", "ShowFPS=1", "FrameLimitation=0",
        "FrameSkipping=1", "FramerateDetection=0", "FramerateManual= 60 ", "TextureType=0",
        "TextureCaching=3", "EnableKeys=0", "FastExcel=0"};
    EXPECT_EQ(hardwareRendererConfig(s), crlfLines(expected));

    s.ditheringEnabled = true;
    expected[9] = "Dithering=1";
    EXPECT_EQ(hardwareRendererConfig(s), crlfLines(expected));
}

TEST(HardwareRendererConfig, AutoFramerateIsOffByOneBetweenTheTwoFiles) {
    VideoSettings s;
    s.autoFramerate = 1;
    IniDocument document;
    storeSoftwareRendererConfig(document, s);
    EXPECT_EQ(document.readString("framerate", "FPSDetection", ""), "2");
    EXPECT_NE(hardwareRendererConfig(s).find("\r\nFramerateDetection=1\r\n"), std::string::npos);
    // And read back to the same list entry from both.
    EXPECT_EQ(readSoftwareRendererConfig(document.serialize()).update.autoFramerate, 1);
    EXPECT_EQ(readHardwareRendererConfig(hardwareRendererConfig(s)).update.autoFramerate, 1);
}

TEST(HardwareRendererConfig, RoundTripsEveryValueWithAnyLineEnd) {
    VideoSettings s;
    s.resolution = 6;
    s.fullScreen = true;
    s.colorDepth = 0;
    s.scanLines = 1;
    s.filtering = 3;
    s.blending = 1;
    s.dithering = true;
    s.ditheringEnabled = true;
    s.showFps = true;
    s.frameLimit = 0;
    s.frameSkip = true;
    s.autoFramerate = 0;
    s.frameRate = "a=b";
    s.textureType = 1;
    s.textureCaching = 0;
    s.rendererKeys = false;
    std::string bytes = hardwareRendererConfig(s);
    for (const char* ending : {"\r\n", "\n", "\r"}) {
        std::string converted;
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (bytes.compare(i, 2, "\r\n") == 0) {
                converted += ending;
                ++i;
            } else {
                converted += bytes[i];
            }
        }
        const auto read = readHardwareRendererConfig(converted);
        ASSERT_FALSE(read.failed) << ending;
        EXPECT_TRUE(read.rendererRuleReached);
        VideoSettings back;
        applyUpdate(back, read.update);
        EXPECT_EQ(back.resolution, 6);
        EXPECT_TRUE(back.fullScreen);
        EXPECT_EQ(back.colorDepth, 0);
        EXPECT_EQ(back.scanLines, 1);
        EXPECT_EQ(back.filtering, 3);
        EXPECT_EQ(back.blending, 1);
        EXPECT_TRUE(back.dithering);
        EXPECT_TRUE(back.showFps);
        EXPECT_EQ(back.frameLimit, 0);
        EXPECT_TRUE(back.frameSkip);
        EXPECT_EQ(back.autoFramerate, 0);
        EXPECT_EQ(back.frameRate, "a=b") << "only the first '=' separates";
        EXPECT_EQ(back.textureType, 1);
        EXPECT_EQ(back.textureCaching, 0);
        EXPECT_FALSE(back.rendererKeys);
    }
}

TEST(HardwareRendererConfig, ExactTextsDecideFlagsAndDepth) {
    auto lines = defaultHardwareLines();
    lines[4] = "FullScreen=1 ";
    lines[5] = "ColorDepth=24";
    lines[9] = "Dithering=yes";
    lines[12] = "FrameSkipping=1";
    lines[17] = "EnableKeys";
    const auto read = readHardwareRendererConfig(crlfLines(lines));
    ASSERT_FALSE(read.failed);
    EXPECT_EQ(read.update.fullScreen, false);
    EXPECT_EQ(read.update.colorDepth, 1);
    EXPECT_EQ(read.update.dithering, false);
    EXPECT_EQ(read.update.frameSkip, true);
    EXPECT_EQ(read.update.rendererKeys, false) << "a line without '=' is its own value";
    EXPECT_FALSE(read.update.rotation) << "rotation is not in the file";
}

TEST(HardwareRendererConfig, ShowFpsTakesNumbersAndTrueFalseWordsOnly) {
    for (const auto& [text, checked] : std::vector<std::pair<std::string, bool>>{
             {"TRUE", true}, {"true", true}, {"False", false}, {"2", true}, {"0", false},
             {"1.0", true}, {"0.0", false}, {"1.5", true}, {"-0.5", true}, {" .0", false},
             {"2.", true}, {"1e3", true}, {"0E+7", false}, {"99999999999", true}}) {
        auto lines = defaultHardwareLines();
        lines[10] = "ShowFPS=" + text;
        const auto read = readHardwareRendererConfig(crlfLines(lines));
        ASSERT_FALSE(read.failed) << text;
        EXPECT_EQ(read.update.showFps, checked) << text;
    }
    for (const std::string text : {".", "1.0.0", "1e", "1.0 ", "0x1.8"}) {
        auto lines = defaultHardwareLines();
        lines[10] = "ShowFPS=" + text;
        EXPECT_TRUE(readHardwareRendererConfig(crlfLines(lines)).failed) << text;
    }
    auto lines = defaultHardwareLines();
    lines[10] = "ShowFPS=on";
    const auto read = readHardwareRendererConfig(crlfLines(lines));
    EXPECT_TRUE(read.failed);
    EXPECT_EQ(read.update.dithering, false) << "lines before the failure were read";
    EXPECT_FALSE(read.update.showFps);
    EXPECT_FALSE(read.update.frameLimit);
}

TEST(HardwareRendererConfig, ShortShiftedOrMissingFilesFail) {
    auto seventeen = defaultHardwareLines();
    seventeen.resize(17);
    const auto shortRead = readHardwareRendererConfig(crlfLines(seventeen));
    EXPECT_TRUE(shortRead.failed);
    EXPECT_EQ(shortRead.update.textureCaching, 2) << "the read ends at the first missing line";
    EXPECT_FALSE(shortRead.update.rendererKeys);

    // Eighteen lines suffice: line 19 is never read.
    auto eighteen = defaultHardwareLines();
    eighteen.resize(18);
    EXPECT_FALSE(readHardwareRendererConfig(crlfLines(eighteen)).failed);

    const auto missing = readHardwareRendererConfig("");
    EXPECT_TRUE(missing.failed);
    EXPECT_FALSE(missing.rendererRuleReached);
    EXPECT_FALSE(missing.update.resolution);

    // Without the comment line every value moves up a line: "YSize=600" is now the width
    // line and "FullScreen=0" the height, which converts; "ColorDepth=32" is taken as the
    // full-screen flag, and so on. Every integer line still holds a number, so it reads.
    auto shifted = defaultHardwareLines();
    shifted.erase(shifted.begin());
    const auto shiftedRead = readHardwareRendererConfig(crlfLines(shifted));
    EXPECT_EQ(shiftedRead.update.resolution, std::nullopt) << "width 600 is no entry";
    EXPECT_EQ(shiftedRead.update.fullScreen, false);
    EXPECT_EQ(shiftedRead.update.colorDepth, 1);
    EXPECT_FALSE(shiftedRead.failed);
    EXPECT_EQ(shiftedRead.update.showFps, true) << "FrameLimitation=1 on line 11";
    EXPECT_EQ(shiftedRead.update.autoFramerate, 100) << "FramerateManual=100 on line 14";
    EXPECT_EQ(shiftedRead.update.frameRate, "3") << "TextureType's value on line 15";
    EXPECT_EQ(shiftedRead.update.textureType, 2);
    EXPECT_EQ(shiftedRead.update.rendererKeys, false) << "FastExcel=0 on line 18";

    // A line added by hand puts a text on the scan-line line, which must be a number.
    auto pushed = defaultHardwareLines();
    pushed.insert(pushed.begin() + 6, "ScanLines=none");
    const auto pushedRead = readHardwareRendererConfig(crlfLines(pushed));
    EXPECT_TRUE(pushedRead.failed);
    EXPECT_FALSE(pushedRead.rendererRuleReached);
    EXPECT_EQ(pushedRead.update.colorDepth, 1);
    EXPECT_FALSE(pushedRead.update.scanLines);
}

TEST(HardwareRendererConfig, SaveReplacesTheWholeFile) {
    TempDir dir;
    writeFile(emulator::kHardwareRendererConfigFile, std::string(5000, 'x'));
    VideoSettings s;
    saveHardwareRendererConfig(s);
    EXPECT_EQ(readFile(emulator::kHardwareRendererConfigFile), hardwareRendererConfig(s));
}

TEST(VideoKeys, WritesDegreesAndReadsKindsAndRotationForms) {
    IniDocument document = IniDocument::parse("[Tavrix]\r\nuse-sound=1\r\n");
    VideoSettings s;
    s.renderer = RendererKind::Direct3D;
    s.slowGeometry = false;
    s.rotation = 3;
    s.hideConsole = true;
    s.registrySettings = true;
    writeVideoKeys(document, s);
    EXPECT_EQ(document.serialize(),
              crlfLines({"[Tavrix]", "use-sound=1", "renderer=renderer-d3d.orv", "use-slow-geometry=0",
                         "rotate-screen=270", "hide-orvo-console=1", "registry-configuration=1", ""}));
    const auto keys = readVideoKeys(document);
    ASSERT_TRUE(keys);
    EXPECT_EQ(keys->renderer, RendererKind::Direct3D);
    EXPECT_EQ(keys->rotation, 3);
    EXPECT_TRUE(keys->hideConsole);
    EXPECT_TRUE(keys->registrySettings);
    EXPECT_FALSE(keys->slowGeometry);

    for (const auto& [stored, index] : std::vector<std::pair<std::string, int>>{
             {"1", 1}, {"2", 2}, {"3", 3}, {"90", 1}, {"180", 2}, {"45", -1}, {"x", 0}}) {
        const auto read = readVideoKeys(IniDocument::parse("[tavrix]\nrotate-screen=" + stored + "\n"));
        ASSERT_TRUE(read);
        EXPECT_EQ(read->rotation, index) << stored;
    }
    const auto capitals = readVideoKeys(IniDocument::parse("[Tavrix]\nrenderer=renderer-SFT.orv\n"));
    ASSERT_TRUE(capitals);
    EXPECT_FALSE(capitals->renderer);
    const auto noKey = readVideoKeys(IniDocument::parse("[Tavrix]\nuse-sound=0\n"));
    ASSERT_TRUE(noKey);
    EXPECT_EQ(noKey->renderer, RendererKind::Direct3D);
    EXPECT_FALSE(readVideoKeys(IniDocument::parse("[Other]\nrenderer=renderer-sft.orv\n")));
}
