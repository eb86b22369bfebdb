#include "core/error.h"
#include "core/ini_document.h"
#include "core/video_page_model.h"
#include "core/form_layout.h"
#include "core/hardware_renderer_config.h"
#include "fixtures/temp_dir.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace tavrix;
using namespace tavrix::test;

namespace {
using Item = VideoListItem;

VideoPageModel withRenderer(VideoPageModel page, RendererKind kind) {
    page.values.renderer = kind;
    page.CB18Change();
    return page;
}
}  // namespace

TEST(VideoPageModel, RendererRuleRebuildsListsForcesSoftwareValuesAndKeepsWhatItCan) {
    VideoPageModel page = withRenderer({}, RendererKind::OpenGL);
    EXPECT_EQ(page.scanLineItems, (std::vector<Item>{Item::None, Item::Black, Item::Bright}));
    EXPECT_EQ(page.blendingItems, (std::vector<Item>{Item::None, Item::Yes}));
    // Scan lines: bright becomes yes under Software, then stays the second entry (black).
    page.values.scanLines = 2;
    page = withRenderer(page, RendererKind::Software);
    EXPECT_EQ(page.values.scanLines, 1);
    EXPECT_EQ(page.scanLineItems, (std::vector<Item>{Item::None, Item::Yes}));
    EXPECT_EQ(withRenderer(page, RendererKind::OpenGL).values.scanLines, 1);
    // Blending: level 2 under Direct3D becomes yes elsewhere, and level 1 back again.
    page = withRenderer(page, RendererKind::Direct3D);
    EXPECT_EQ(page.blendingItems, (std::vector<Item>{Item::None, Item::Level1, Item::Level2}));
    page.values.blending = 2;
    page = withRenderer(withRenderer(page, RendererKind::OpenGL), RendererKind::Direct3D);
    EXPECT_EQ(page.values.blending, 1);
    EXPECT_EQ(page.listsBuilt, 5);

    // Software forces the hardware-only values and disables their lists; a hardware renderer
    // enables them again without restoring the values.
    VideoSettings& v = page.values;
    v.colorDepth = 0, v.filtering = 3, v.textureType = 2, v.textureCaching = 3, v.rendererKeys = false, v.rotation = 3;
    page = withRenderer(page, RendererKind::Software);
    EXPECT_TRUE(page.stretchingEnabled && page.registryEnabled && !page.textureEnabled);
    page = withRenderer(page, RendererKind::Direct3D);
    EXPECT_EQ(std::vector<int>({v.colorDepth, v.filtering, v.textureType, v.textureCaching, v.blending, v.rotation}),
              std::vector<int>({1, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(v.rendererKeys && v.stretching && page.textureEnabled);
    EXPECT_FALSE(page.stretchingEnabled || page.registryEnabled);
}

TEST(VideoPageModel, RegistrySettingsDisableTheScreenControlsUntilAHardwareRenderer) {
    VideoPageModel page = withRenderer({}, RendererKind::Software);
    page.values.autoFramerate = 0;
    page.values.registrySettings = true, page.CB22Click();
    EXPECT_FALSE(!page.advancedVisible || page.stretchingEnabled || page.screenEnabled || page.fullScreenEnabled ||
                 page.values.ditheringEnabled || page.frameRateEnabled);
    page = withRenderer(page, RendererKind::Direct3D);
    EXPECT_FALSE(page.values.registrySettings || page.registryEnabled || page.advancedVisible ||
                 page.stretchingEnabled);
    EXPECT_TRUE(page.screenEnabled && page.fullScreenEnabled && page.frameRateEnabled);
}

TEST(VideoPageModel, RendererFilesReadTheirValuesAndFailures) {
    TempDir dir;
    // A damaged hardware file silently restores the defaults and rewrites both files.
    writeFile("tavrix.ini", "[Tavrix]\r\nrenderer=renderer-ogl.orv\r\nrotate-screen=180\r\nhide-orvo-console=1\r\n");
    writeFile("tavrix-renderer.cfg", "XSize=320\r\nShowFPS=on\r\n");
    VideoPageModel page;
    page.ReadVideoSettings();
    EXPECT_EQ(std::vector<int>({page.values.resolution, page.values.rotation}), std::vector<int>({5, 0}));
    EXPECT_FALSE(page.values.hideConsole || page.values.slowGeometry) << "slow geometry is not reset";
    EXPECT_EQ(page.values.renderer, RendererKind::OpenGL);
    EXPECT_NE(readFile("tavrix-renderer.cfg").find("\r\nXSize=800\r\nYSize=600\r\n"), std::string::npos);
    EXPECT_EQ(IniDocument::load("tavrix.ini").readString("Tavrix", "rotate-screen", ""), "0");

    // Dithering is written only while its box is enabled.
    page.values.dithering = true;
    page.values.colorDepth = 0;
    page.CB5Change();
    page.B09Click();
    EXPECT_NE(readFile("tavrix-renderer.cfg").find("\r\nDithering=1\r\n"), std::string::npos);
    page.values.colorDepth = 1;
    page.CB5Change();
    page.B09Click();
    EXPECT_NE(readFile("tavrix-renderer.cfg").find("\r\nDithering=0\r\n"), std::string::npos);

    // The software file: an unknown width keeps the list, an entry outside the list selects none.
    writeFile("tavrix.ini", "[Tavrix]\r\nrenderer=renderer-sft.orv\r\nregistry-configuration=1\r\n");
    writeFile("tavrix-renderer-sft.cfg", "[screen]\r\nResX=1152\r\nResY=864\r\nNoStretch=1\r\n[misc]\r\nScanLines=2\r\n");
    page.values.resolution = 4;
    page.ReadVideoSettings();
    EXPECT_EQ(std::vector<int>({page.values.resolution, page.values.scanLines}), std::vector<int>({4, -1}));
    EXPECT_TRUE(page.values.registrySettings && page.advancedVisible && !page.screenEnabled);

    // A width that is no number stops the load before the registry step; nothing is written.
    writeFile("tavrix-renderer-sft.cfg", "[screen]\r\nResX=wide\r\n");
    writeFile("tavrix.ini", "[Tavrix]\r\nrenderer=renderer-sft.orv\r\nregistry-configuration=0\r\n");
    EXPECT_THROW(
        try { page.ReadVideoSettings(); } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "'wide' is not a valid integer value");
            throw;
        },
        Error);
    EXPECT_TRUE(page.values.registrySettings);
    EXPECT_EQ(readFile("tavrix-renderer-sft.cfg"), "[screen]\r\nResX=wide\r\n");

    // A kind in capitals is none of the three: the renderer stays, and Software creates its file.
    writeFile("tavrix.ini", "[Tavrix]\r\nrenderer=renderer-SFT.orv\r\n");
    std::filesystem::remove("tavrix-renderer-sft.cfg");
    page.ReadVideoSettings();
    EXPECT_EQ(page.values.renderer, RendererKind::Software);
    EXPECT_NE(readFile("tavrix-renderer-sft.cfg"), "");
}

TEST(VideoPageModel, ControlsByNameAreTheLayoutsAndFollowTheModel) {
    const FormLayout& layout = videoPageLayout();
    VideoPageModel page;
    for (auto [name, selection] : page.lists()) {
        EXPECT_EQ(layout[name].kind, ControlKind::ComboBox) << name;
        EXPECT_EQ(*selection, layout[name].selected) << name << ": the model starts as the page is built";
    }
    for (auto [name, checked] : page.checkBoxes()) {
        EXPECT_EQ(layout[name].kind, ControlKind::CheckBox) << name;
        EXPECT_EQ(*checked, layout[name].checked) << name;
    }
    *page.lists()[0].value = 7;  // CB3
    EXPECT_EQ(page.settings().resolution, 7);

    // The renderer list in the order of the kinds; any other index picks OpenGL.
    for (int index : {0, 1, 2, -1}) {
        page.pickRenderer(index);
        EXPECT_EQ(page.rendererIndex(), index < 0 ? 2 : index);
    }
    EXPECT_STREQ(layout["CB18"].items[static_cast<int>(RendererKind::Direct3D)].ko, "Direct3D");

    // The enabled flags reach every control they govern, labels with their lists.
    page = withRenderer(page, RendererKind::Software);
    std::map<std::string, bool> enabled;
    for (auto [name, on] : page.enabledControls()) enabled[name] = on;
    for (const char* name : {"CB5", "L52", "CB8", "L55"}) EXPECT_FALSE(enabled.at(name)) << name;
    EXPECT_TRUE(enabled.at("CB3") && enabled.at("L51") && enabled.at("CB2") && enabled.at("CB22"));
    EXPECT_FALSE(enabled.at("E2") || enabled.at("UD1") || enabled.at("L14"));
    for (const auto& [name, on] : enabled) EXPECT_NO_THROW(layout[name]) << name;

    // The run-time items and the first items of the rebuilt lists share their captions.
    EXPECT_STREQ(layout["CB6"].items[1].en, captionOf(Item::Yes).en);
    EXPECT_STREQ(captionOf(Item::Bright).in(true), "bright");
    EXPECT_STREQ(captionOf(Item::Level2).in(false), "레벨 2");
}

TEST(VideoPageModel, RegistryFlagCountsOnlyWithSoftwareAndSurvivesTheDefaultsWrite) {
    for (const char* kind : {"d3d", "ogl"}) {
        TempDir dir;
        writeFile("tavrix.ini", std::string("[Tavrix]\r\nrenderer=renderer-") + kind + ".orv\r\nregistry-configuration=1\r\n");
        writeFile("tavrix-renderer.cfg", hardwareRendererConfig(VideoSettings{}));
        VideoPageModel page;
        page.ReadVideoSettings();
        LaunchInputs inputs;
        page.addLaunchInputs(inputs);
        EXPECT_FALSE(page.values.registrySettings || page.advancedVisible || inputs.useRegistrySettings) << kind;
        EXPECT_TRUE(page.screenEnabled) << kind;
    }
    // Software without its file: the defaults' write keeps the stored flag.
    TempDir dir;
    writeFile("tavrix.ini", "[Tavrix]\r\nrenderer=renderer-sft.orv\r\nregistry-configuration=1\r\n");
    VideoPageModel page;
    page.ReadVideoSettings();
    EXPECT_FALSE(readFile("tavrix-renderer-sft.cfg").empty());
    EXPECT_EQ(IniDocument::load("tavrix.ini").readString("Tavrix", "registry-configuration", ""), "1");
    LaunchInputs inputs;
    page.addLaunchInputs(inputs);
    EXPECT_TRUE(page.values.registrySettings && inputs.useRegistrySettings);
}
