#include "win32/controls_page.h"

#include "core/error.h"
#include "win32/error_box.h"

#include <commctrl.h>

#include <exception>

namespace tavrix::win32 {

void ControlsPage::created() {
    // The key receiver shows what it gets but takes no typing, and is no tab stop.
    HWND receiver = form_["E4"];
    SendMessageW(receiver, EM_SETREADONLY, TRUE, 0);
    SetWindowLongW(receiver, GWL_STYLE, GetWindowLongW(receiver, GWL_STYLE) & ~WS_TABSTOP);
    SetWindowSubclass(receiver, &ControlsPage::keyReceiver, 1, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK ControlsPage::keyReceiver(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR page) {
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        try {
            reinterpret_cast<ControlsPage*>(page)->host.E4KeyDown(static_cast<int>(wParam));
        } catch (const std::exception& error) {
            showError(errorReportText(error.what()));
        }
    }
    if (message == WM_GETDLGCODE) return DLGC_WANTALLKEYS;  // every key is an input to capture
    // Alt and F10 are inputs too, which open no menu.
    if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR) return 0;
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace tavrix::win32
