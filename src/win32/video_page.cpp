#include "win32/video_page.h"

#include "core/emulator_contract.h"
#include "win32/page_index.h"

#include <string_view>

namespace tavrix::win32 {

VideoPage::VideoPage(PageHost& host) : Page(host, &videoPageLayout()) {
    for (auto [name, selection] : model.lists()) bind(name, *selection);
    for (auto [name, checked] : model.checkBoxes()) bind(name, *checked);
    bind("E2", model.values.frameRate);
}

VideoPage::~VideoPage() = default;

void VideoPage::command(const char* name, int code) {
    const std::string_view control = name;
    if (code == CBN_SELCHANGE) {
        // Only the user's picks run a list's handler.
        if (control == "CB18") {
            model.pickRenderer(form_.selection("CB18"));
            update([&] { model.CB18Change(); });
        }
        if (control == "CB3") update([&] { model.CB3Change(); });
        if (control == "CB13") update([&] { model.CB13Change(); });
        if (control == "CB5") update([&] { model.CB5Change(); });
    } else if (code == BN_CLICKED) {
        if (control == "CB22") update([&] { model.values.registrySettings = form_.checked("CB22"), model.CB22Click(); });
        if (control == "B09") B09Click();
        if (control == "B06") B06Click();
        if (control == "B14") B14Click();
    }
}

void VideoPage::showModel() {
    if (shownLists != model.listsBuilt) {
        // The renderer rule rebuilt the lists: new items, in the language of the moment.
        shownLists = model.listsBuilt;
        for (auto [list, items] : {std::pair{"CB6", &model.scanLineItems}, std::pair{"CB10", &model.blendingItems}}) {
            std::vector<std::string> captions;
            for (VideoListItem item : *items) captions.emplace_back(captionOf(item).in(english()));
            form_.setItems(list, captions);
        }
        // The lists' selections were drawn before their items came: draw them again.
        for (auto [name, selection] : model.lists()) form_.setSelection(name, *selection);
    }
    form_.setSelection("CB18", model.rendererIndex());
    form_.setChecked("CB22", model.values.registrySettings);
    for (auto [name, enabled] : model.enabledControls()) form_.setEnabled(name, enabled);
    form_.setVisible("B14", model.advancedVisible);
}

void VideoPage::ReadVideoSettings() {
    update([&] { model.ReadVideoSettings(); });
}

void VideoPage::B09Click() {
    model.B09Click();
    host.showPage(kGameInfoPage);
}

void VideoPage::B06Click() {
    host.showPage(kVideoPage);
    ReadVideoSettings();
}

void VideoPage::B14Click() {
    if (!rendererDialog) rendererDialog = std::make_unique<SoftwareRendererDialog>(emulator::kSoftwareRendererPlugin);
    // The plug-in's dialog runs on this thread; the window takes no input meanwhile.
    rendererDialog->run(GetAncestor(window(), GA_ROOT));
}

void VideoPage::addLaunchInputs(LaunchInputs& inputs) const {
    const VideoSettings shown = model.settings();
    inputs.slowGeometry = shown.slowGeometry;
    inputs.renderer = shown.renderer;
    inputs.useRegistrySettings = shown.registrySettings;
    inputs.rotationIndex = shown.rotation;
    inputs.hideConsole = shown.hideConsole;
}

}  // namespace tavrix::win32
