#include "core/video_page_model.h"

#include "core/emulator_contract.h"
#include "core/error.h"
#include "core/file_io.h"
#include "core/hardware_renderer_config.h"
#include "core/ini_document.h"
#include "core/ini_document_cache.h"
#include "core/settings.h"
#include "core/software_renderer_config.h"
#include "core/text.h"

namespace tavrix {

namespace {

// Resolution entries on which the emulator cannot run full screen.
constexpr int k512x240 = 2;
constexpr int k1024x480 = 6;
constexpr int kYes = 1;  // "no"/"yes" lists
constexpr int k32Bit = 1;
constexpr int k16Bit = 0;

// Selects an item by index; an index outside the list leaves it without a selection.
void select(int& selection, int index, int count) {
    selection = index >= 0 && index < count ? index : -1;
}

}  // namespace

void VideoPageModel::pickRenderer(int index) {
    values.renderer = index == 0 ? RendererKind::Software : index == 1 ? RendererKind::Direct3D : RendererKind::OpenGL;
}

std::vector<ControlValue<int>> VideoPageModel::lists() {
    VideoSettings& v = values;
    return {{"CB3", &v.resolution},   {"CB5", &v.colorDepth},     {"CB6", &v.scanLines},
            {"CB7", &v.filtering},    {"CB10", &v.blending},      {"CB11", &v.frameLimit},
            {"CB13", &v.autoFramerate}, {"CB14", &v.textureType}, {"CB15", &v.textureCaching},
            {"CB8", &v.rotation}};
}

std::vector<ControlValue<bool>> VideoPageModel::checkBoxes() {
    VideoSettings& v = values;
    return {{"CB2", &v.stretching},    {"CB4", &v.fullScreen},    {"CB9", &v.dithering},
            {"CB17", &v.slowGeometry}, {"CB28", &v.showFps},      {"CB12", &v.frameSkip},
            {"CB16", &v.rendererKeys}, {"CB29", &v.hideConsole}};
}

ControlFields VideoPageModel::fields() {
    rendererChoice = rendererIndex();
    ControlFields all{{"CB18", nullptr, &rendererChoice},
                      {"CB22", &values.registrySettings},
                      {"E2", nullptr, nullptr, &values.frameRate}};
    for (auto [name, selection] : lists()) all.push_back({name, nullptr, selection});
    for (auto [name, checked] : checkBoxes()) all.push_back({name, checked});
    return all;
}

void VideoPageModel::addLaunchInputs(LaunchInputs& inputs) const {
    const VideoSettings shown = settings();
    inputs.slowGeometry = shown.slowGeometry;
    inputs.renderer = shown.renderer;
    inputs.useRegistrySettings = shown.registrySettings;
    inputs.rotationIndex = shown.rotation;
    inputs.hideConsole = shown.hideConsole;
}

ControlStates VideoPageModel::enabledControls() const {
    ControlStates states{{"CB2", stretchingEnabled}, {"CB22", registryEnabled},
                                                     {"CB4", fullScreenEnabled}, {"CB9", values.ditheringEnabled}};
    // The lists only a hardware renderer uses, and the screen and frame controls, with their labels.
    for (const char* name : {"CB7", "CB5", "L52", "L54", "CB14", "L59", "CB15", "L60", "CB10", "L56", "CB16", "CB8", "L55"})
        states.emplace_back(name, textureEnabled);
    for (const char* name : {"CB3", "CB6", "CB11", "CB12", "CB13", "CB28", "L51", "L53", "L57", "L58"})
        states.emplace_back(name, screenEnabled);
    for (const char* name : {"E2", "UD1", "L14"}) states.emplace_back(name, frameRateEnabled);
    return states;
}

void VideoPageModel::checkRegistry(bool checked) {
    if (values.registrySettings == checked) return;
    values.registrySettings = checked;
    CB22Click();
}

// Renderer rule: the lists and the forced values that belong to the chosen renderer.
void VideoPageModel::CB18Change() {
    using Item = VideoListItem;
    const RendererKind kind = values.renderer;
    const bool software = kind == RendererKind::Software;
    ++listsBuilt;

    int blending = values.blending;
    if (kind == RendererKind::Direct3D) {
        blendingItems = {Item::None, Item::Level1, Item::Level2};
    } else {
        blendingItems = {Item::None, Item::Yes};
        if (blending == 2) blending = 1;
    }
    values.blending = blending;

    int scanLines = values.scanLines;
    if (!software) {
        scanLineItems = {Item::None, Item::Black, Item::Bright};
        values.stretching = true;
        stretchingEnabled = false;
        textureEnabled = true;
        checkRegistry(false);
        registryEnabled = false;
    } else {
        scanLineItems = {Item::None, Item::Yes};
        stretchingEnabled = true;
        values.colorDepth = k32Bit;
        values.filtering = 0;
        textureEnabled = false;
        values.textureType = 0;
        values.textureCaching = 0;
        values.blending = 0;
        values.rendererKeys = true;
        values.rotation = 0;
        registryEnabled = true;
        if (scanLines == 2) scanLines = 1;
    }
    values.scanLines = scanLines;
}

// Registry-settings rule: with the software renderer's own settings, the screen and frame
// controls are not used.
void VideoPageModel::CB22Click() {
    if (values.registrySettings) {
        advancedVisible = true;
        stretchingEnabled = false;
        screenEnabled = false;
    } else {
        if (values.renderer == RendererKind::Software) stretchingEnabled = true;
        advancedVisible = false;
        screenEnabled = true;
    }
    fullScreenEnabled = values.ditheringEnabled = frameRateEnabled = screenEnabled;
    CB3Change();
    CB13Change();
}

// Resolution rule: no full screen at 512x240 and 1024x480.
void VideoPageModel::CB3Change() {
    if (values.resolution == k512x240 || values.resolution == k1024x480) {
        values.fullScreen = false;
        fullScreenEnabled = false;
    } else if (!values.registrySettings) {
        fullScreenEnabled = true;
    }
}

// Frame-rate rule: the frame-rate box only while the frame rate is not detected.
void VideoPageModel::CB13Change() {
    if (values.autoFramerate == kYes)
        frameRateEnabled = false;
    else if (!values.registrySettings)
        frameRateEnabled = true;
}

// Dithering rule: dithering only at 16 bit; the check state stays.
void VideoPageModel::CB5Change() {
    if (values.colorDepth == k32Bit)
        values.ditheringEnabled = false;
    else if (values.colorDepth == k16Bit)
        values.ditheringEnabled = true;
}

VideoSettings VideoPageModel::settings() const {
    VideoSettings out = values;
    out.frameRate = storedFrameRate.bytesFor(values.frameRate);
    return out;
}

void VideoPageModel::WriteVideoSettings(bool hardware) {
    VideoSettings values = settings();
    if (pendingRegistrySettings) values.registrySettings = *pendingRegistrySettings;
    if (hardware)
        saveHardwareRendererConfig(values);
    else
        saveSoftwareRendererConfig(values);
    IniDocument document = IniDocument::load(kSettingsFileName);
    writeVideoKeys(document, values);
    document.save(kSettingsFileName);
}

void VideoPageModel::B09Click() {
    WriteVideoSettings(values.renderer != RendererKind::Software);
}

void VideoPageModel::applyUpdate(const VideoSettingsUpdate& u, bool rendererRuleAfterFiltering) {
    VideoSettings& v = values;
    if (u.resolution) select(v.resolution, *u.resolution, kResolutionCount);
    if (u.fullScreen) v.fullScreen = *u.fullScreen;
    if (u.colorDepth) select(v.colorDepth, *u.colorDepth, 2);
    if (u.stretching) v.stretching = *u.stretching;
    if (u.scanLines) select(v.scanLines, *u.scanLines, static_cast<int>(scanLineItems.size()));
    if (u.filtering) select(v.filtering, *u.filtering, 4);
    if (rendererRuleAfterFiltering) CB18Change();
    if (u.blending) select(v.blending, *u.blending, static_cast<int>(blendingItems.size()));
    if (u.dithering) v.dithering = *u.dithering;
    if (u.showFps) v.showFps = *u.showFps;
    if (u.frameLimit) select(v.frameLimit, *u.frameLimit, 2);
    if (u.frameSkip) v.frameSkip = *u.frameSkip;
    if (u.autoFramerate) {
        select(v.autoFramerate, *u.autoFramerate, 2);
        frameRateEnabled = v.autoFramerate != kYes;
    }
    if (u.frameRate) {
        storedFrameRate = KeptText(*u.frameRate);
        v.frameRate = storedFrameRate.shown();
    }
    if (u.textureType) select(v.textureType, *u.textureType, 4);
    if (u.textureCaching) select(v.textureCaching, *u.textureCaching, 4);
    if (u.rendererKeys) v.rendererKeys = *u.rendererKeys;
    if (u.rotation) select(v.rotation, *u.rotation, 4);
    if (u.hideConsole) v.hideConsole = *u.hideConsole;
}

void VideoPageModel::readSoftwareRendererFile() {
    const auto bytes = readWholeFile(emulator::kSoftwareRendererConfigFile);
    const SoftwareConfigRead read = readSoftwareRendererConfig(bytes.value_or(std::string()));
    applyUpdate(read.update, false);
    // What was set before a size that is no number stays; the rest of the load is skipped.
    if (read.error) throw Error(*read.error);
    if (read.sectionMissing) WriteVideoSettings(false);
}

void VideoPageModel::readHardwareRendererFile() {
    const auto bytes = readWholeFile(emulator::kHardwareRendererConfigFile);
    const HardwareConfigRead read = readHardwareRendererConfig(bytes.value_or(std::string()));
    applyUpdate(read.update, read.rendererRuleReached);
    if (read.failed) {
        // A missing or damaged file silently gives the defaults and a new file.
        applyUpdate(hardwareRendererDefaults(), false);
        WriteVideoSettings(true);
    }
}

void VideoPageModel::ReadVideoSettings() {
    bool registrySettings = false;
    if (const auto keys = readVideoKeys(*IniDocumentCache::shared().load(kSettingsFileName))) {
        if (keys->renderer) values.renderer = *keys->renderer;
        CB18Change();
        values.slowGeometry = keys->slowGeometry;
        select(values.rotation, keys->rotation, 4);
        values.hideConsole = keys->hideConsole;
        registrySettings = keys->registrySettings;
    }
    // The software renderer's own settings exist only for it: with Direct3D or OpenGL the
    // flag reads as off, so the renderer file stays on the launch command.
    registrySettings = registrySettings && values.renderer == RendererKind::Software;

    // A renderer file that is missing or damaged writes the defaults and the page's keys;
    // the registry flag just read goes with them rather than CB22's state before it is set.
    pendingRegistrySettings = registrySettings;
    struct ForgetPending {
        std::optional<bool>& pending;
        ~ForgetPending() { pending.reset(); }
    } forgetPending{pendingRegistrySettings};
    if (values.renderer == RendererKind::Software)
        readSoftwareRendererFile();
    else
        readHardwareRendererFile();

    checkRegistry(registrySettings);
    CB22Click();
    CB3Change();
    CB13Change();
}

}  // namespace tavrix
