#include "win32/language_panel.h"

#include <string_view>

namespace tavrix::win32 {

LanguagePanel::LanguagePanel(PageHost& host, StartupModel& startup, std::function<void()> confirm)
    : Page(host, &languagePanelLayout()), startup_(startup), confirm_(std::move(confirm)) {}

void LanguagePanel::command(const char* name, int code) {
    if (code != BN_CLICKED && code != STN_CLICKED) return;
    LanguagePanelModel& panel = startup_.panel;
    const std::string_view control = name;
    // A click on a language's button or on its flag checks that language.
    if (control == "RB1" || control == "I2") update([&] { panel.check(false); });
    if (control == "RB2" || control == "I3") update([&] { panel.check(true); });
    if (control == "B10") confirm_();
}

void LanguagePanel::showModel() {
    const LanguagePanelModel& panel = startup_.panel;
    form_.setChecked("RB1", panel.koreanChecked);
    form_.setChecked("RB2", panel.englishChecked);
    form_.setEnabled("B10", panel.okEnabled);
}

void LanguagePanel::showState() {
    drawModel();
    for (const ControlSpec& spec : form_.layout().controls) form_.setVisible(spec.name, startup_.panel.visible);
    ShowWindow(window(), startup_.panel.visible ? SW_SHOW : SW_HIDE);
    if (startup_.panel.visible) SetWindowPos(window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace tavrix::win32
