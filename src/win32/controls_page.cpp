#include "win32/controls_page.h"

#include "win32/page_index.h"

#include <commctrl.h>

#include <string>
#include <string_view>

namespace tavrix::win32 {

namespace {
constexpr int kFirstAssignable = 21;  // L21 .. L34
}

ControlsPage::ControlsPage(PageHost& host) : Page(host, &controlsPageLayout()) {
    bind("CB25", model.state.useMM);
}

void ControlsPage::created() {
    // The key receiver shows what it gets but takes no typing, and is no tab stop.
    HWND receiver = form_["E4"];
    SendMessageW(receiver, EM_SETREADONLY, TRUE, 0);
    SetWindowLongW(receiver, GWL_STYLE, GetWindowLongW(receiver, GWL_STYLE) & ~WS_TABSTOP);
    SetWindowSubclass(receiver, &ControlsPage::keyReceiver, 1, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK ControlsPage::keyReceiver(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR page) {
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
        reinterpret_cast<ControlsPage*>(page)->E4KeyDown(static_cast<int>(wParam));
    if (message == WM_GETDLGCODE) return DLGC_WANTALLKEYS;  // every key is an input to capture
    return DefSubclassProc(edit, message, wParam, lParam);
}

void ControlsPage::command(const char* name, int code) {
    const std::string_view control = name;
    if (code == STN_DBLCLK && control.size() == 3 && control[0] == 'L') {
        const int label = std::stoi(std::string(control.substr(1))) - kFirstAssignable;
        if (label < 0 || label >= kControllerLabelCount) return;
        bool started = false;
        update([&] { started = model.L27DblClick(label); });
        if (!started) return;
        // Without a joystick on a port its capture fails; keys still work.
        if (startJoystickCapture) startJoystickCapture();
        SetFocus(form_["E4"]);
    } else if (code == CBN_SELCHANGE && control == "CB23") {
        model.state.player = form_.selection("CB23");
        update([&] { model.CB23Change(); });
    } else if (code == BN_CLICKED && control == "B04") {
        B04Click();
    } else if (code == BN_CLICKED && control == "B03") {
        B03Click();
    }
}

void ControlsPage::showModel() {
    for (int i = 0; i < kControllerLabelCount; ++i)
        form_.setText("L" + std::to_string(kFirstAssignable + i), model.state.captions[static_cast<std::size_t>(i)]);
    form_.setSelection("CB23", model.playerIndex());
    form_.setEnabled("E4", model.capturing);
    if (shownCaptions != model.captionsSet) {
        shownCaptions = model.captionsSet;
        SetWindowTextW(GetAncestor(window(), GA_ROOT), wide(windowCaption(model.capturing).in(english())).c_str());
    }
    form_.setText("GB6", model.groupCaption.in(english()));
}

void ControlsPage::LoadControllerConfig() {
    update([&] { model.LoadControllerConfig(); });
}

void ControlsPage::E4KeyDown(int virtualKey) {
    update([&] { model.E4KeyDown(virtualKey); });
}

void ControlsPage::J1JoyMove(int joystick, int xPos, int yPos, uint16_t buttonStatus) {
    update([&] { model.J1JoyMove(joystick, xPos, yPos, buttonStatus); });
}

void ControlsPage::J1JoyRemoved() {
    update([&] { model.J1JoyRemoved(); });
}

void ControlsPage::shownAsCurrent(bool current) {
    if (current == current_) return;
    current_ = current;
    if (current)
        update([&] { model.TS4Show(); });
    else
        update([&] { model.TS4Hide(); });
}

void ControlsPage::B04Click() {
    model.B04Click();
    host.showPage(kGameInfoPage);
}

void ControlsPage::B03Click() {
    update([&] { model.B03Click(); });
}

void ControlsPage::addLaunchInputs(LaunchInputs& inputs) const {
    inputs.vantrelPlugin = form_.checked("CB21");
}

}  // namespace tavrix::win32
