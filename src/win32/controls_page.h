#pragma once
// The Controls page drawn with the system's controls, over the Controls page model: the
// fourteen assignable inputs, captured from the key receiver E4 after a double click.
#include "core/controls_page_model.h"
#include "win32/page.h"

#include <cstdint>
#include <functional>

namespace tavrix::win32 {

class ControlsPage : public Page {
public:
    explicit ControlsPage(PageHost& host);

    void LoadControllerConfig();
    void B04Click();  // Save, then the Game Info page
    void B03Click();  // Cancel
    void E4KeyDown(int virtualKey);
    // A report of joystick 1 or 2, scaled: it completes a waiting capture.
    void J1JoyMove(int joystick, int xPos, int yPos, uint16_t buttonStatus);
    // A joystick was unplugged: a waiting label gets its input back.
    void J1JoyRemoved();
    void shownAsCurrent(bool current) override;
    void addLaunchInputs(LaunchInputs& inputs) const override;

    ControlsPageModel model;
    // Starts both joysticks' reports when a capture begins; the window sets it.
    std::function<void()> startJoystickCapture;

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
