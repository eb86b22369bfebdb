#pragma once
// The Controls page drawn with the system's controls, over the Controls page model: the
// fourteen assignable inputs, captured from the key receiver E4 after a double click.
#include "core/controls_page_model.h"
#include "win32/page.h"

namespace tavrix::win32 {

class ControlsPage : public Page {
public:
    explicit ControlsPage(PageHost& host);

    void LoadControllerConfig();
    void B04Click();  // Save, then the Game Info page
    void B03Click();  // Cancel
    void E4KeyDown(int virtualKey);
    void shownAsCurrent(bool current) override;
    void addLaunchInputs(LaunchInputs& inputs) const override;

    ControlsPageModel model;

protected:
    void created() override;
    void command(const char* name, int code) override;
    void showModel() override;

private:
    static LRESULT CALLBACK keyReceiver(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR page);
    int shownCaptions = 0;
    int shownGroupPlayer = 0;
    bool current_ = false;
};

}  // namespace tavrix::win32
