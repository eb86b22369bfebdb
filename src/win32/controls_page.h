#pragma once
// The Controls page drawn with the system's controls, over the Controls page model: the
// fourteen assignable inputs, captured from the key receiver E4 after a double click.
#include "win32/page.h"

namespace tavrix::win32 {

class ControlsPage : public Page {
public:
    ControlsPage(PageHost& host, ControlsPageModel& model)
        : Page(host, kControlsPage, model, controlsPageLayout()) {}

    // A capture began: the key receiver takes the keys.
    void focusKeyReceiver() { SetFocus(form_["E4"]); }

protected:
    void created() override;

private:
    static LRESULT CALLBACK keyReceiver(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR page);
};

}  // namespace tavrix::win32
