#pragma once
// The Sound page drawn with the system's controls: its table's controls, the events forwarded
// to the Sound page model, and the model's state drawn after each.
#include "core/sound_page_model.h"
#include "win32/page.h"

namespace tavrix::win32 {

class SoundPage : public Page {
public:
    explicit SoundPage(PageHost& host);

    void B11Click();  // Save, then the Game Info page
    void B12Click();  // Cancel: this page, reloaded from tavrix.ini

    void addLaunchInputs(LaunchInputs& inputs) const override;

    SoundPageModel model;

protected:
    void command(const char* name, int code) override;
    void showModel() override;
};

}  // namespace tavrix::win32
