#include "win32/sound_page.h"

#include "win32/page_index.h"

#include <string_view>

namespace tavrix::win32 {

SoundPage::SoundPage(PageHost& host) : Page(host, &soundPageLayout()) {}

void SoundPage::command(const char* name, int code) {
    const std::string_view control = name;
    if (code == BN_CLICKED) {
        if (control == "CB1") update([&] { model.checkSound(form_.checked("CB1")); });
        else if (control == "CB19") update([&] { model.checkFilter(form_.checked("CB19")); });
        else if (control.starts_with("RG1Item") && form_.radioIndex("RG1") >= 0)
            update([&] { model.pickEffect(form_.radioIndex("RG1")); });
        else if (control == "B11") B11Click();
        else if (control == "B12") B12Click();
    } else if (code == CBN_SELCHANGE && control == "CB20") {
        model.pickCutoff(form_.selection("CB20"));
    } else if (code == EN_CHANGE && control == "E3") {
        model.typeMultiplier(form_.text("E3"));
    }
}

void SoundPage::showModel() {
    form_.setChecked("CB1", model.soundChecked);
    form_.setChecked("CB19", model.filterChecked);
    form_.setEnabled("CB19", model.filterEnabled);
    form_.setSelection("CB20", model.cutoffIndex);
    form_.setEnabled("CB20", model.cutoffEnabled);
    form_.setEnabled("L15", model.cutoffEnabled);
    form_.setRadioIndex("RG1", model.effectIndex);
    form_.setEnabled("RG1", model.effectEnabled);
    form_.setText("E3", model.multiplierText);
    for (const char* control : {"E3", "UD2", "ST1"}) form_.setEnabled(control, model.multiplierEnabled);
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
