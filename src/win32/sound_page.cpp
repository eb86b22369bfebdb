#include "win32/sound_page.h"

#include "win32/page_index.h"

#include <string_view>

namespace tavrix::win32 {

SoundPage::SoundPage(PageHost& host) : Page(host, &soundPageLayout()) {
    bind("CB1", model.soundChecked);
    bind("CB19", model.filterChecked);
    bind("CB20", model.cutoffIndex);
    bind("RG1", model.effectIndex);
    bind("E3", model.multiplierText);
}

void SoundPage::command(const char* name, int code) {
    const std::string_view control = name;
    if (code != BN_CLICKED) return;
    if (control == "CB1") update([&] { model.CB1Click(); });
    else if (control == "CB19") update([&] { model.CB19Click(); });
    else if (control.starts_with("RG1Item")) update([&] { model.RG1Click(); });
    else if (control == "B11") B11Click();
    else if (control == "B12") B12Click();
}

void SoundPage::showModel() {
    form_.setEnabled("CB19", model.filterEnabled);
    enable({"CB20", "L15"}, model.cutoffEnabled);
    form_.setEnabled("RG1", model.effectEnabled);
    enable({"E3", "UD2", "ST1"}, model.multiplierEnabled);
}

void SoundPage::addLaunchInputs(LaunchInputs& inputs) const {
    const SoundSettings shown = model.settings();
    inputs.soundOn = shown.useSound;
    inputs.filterOn = shown.filterEnabled;
    inputs.cutoffIndex = shown.cutoff;
    inputs.soundEffect = shown.effect;
    inputs.multiplier = shown.multiplier;
}

void SoundPage::B11Click() {
    model.B11Click();
    host.showPage(kGameInfoPage);
}

void SoundPage::B12Click() {
    host.showPage(kSoundPage);
    update([&] { model.B12Click(); });
}

}  // namespace tavrix::win32
