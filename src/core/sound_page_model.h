#pragma once
// The Sound page without its widgets: what each control shows, and the page's handlers as
// operations on it. A front end draws these values and forwards each user action here.
#include "core/launch_command.h"
#include "core/page_model.h"
#include "core/sound_settings.h"
#include "core/text.h"

#include <string>

namespace tavrix {

struct SoundPageModel : PageModel {
    bool soundChecked = false;          // CB1, sound emulation on
    bool filterChecked = false;         // CB19, sound filter on
    bool filterEnabled = true;          // CB19
    int cutoffIndex = 2;                // CB20: 8000, 11025, 22050, 44100 Hz
    bool cutoffEnabled = false;         // CB20 and its label L15
    int effectIndex = 0;                // RG1: 0 none, 1 stereo exciter, 2 lite surround
    bool effectEnabled = true;          // RG1
    std::string multiplierText = "40";  // E3, kept as typed
    bool multiplierEnabled = false;     // E3, its up-down UD2 and its label ST1
    // sound-surround-lite-multiplier as last loaded: saved as its stored bytes while E3 shows
    // it unchanged.
    KeptText storedMultiplier;

    ControlFields fields() override;
    ControlStates enabledControls() const override;

    // The handlers of CB1, CB19 and RG1's items, run once the field holds the new state.
    void CB1Click();
    void CB19Click();
    void RG1Click();

    SoundSettings settings() const;
    // Sound on, filter, cutoff, effect and multiplier, as the page shows them now.
    void addLaunchInputs(LaunchInputs& inputs) const;
    // Save: the six keys into tavrix.ini. The front end then shows the Game Info page.
    void B11Click() const;
    // Cancel: the controls from tavrix.ini. The front end shows this page first. A cutoff that
    // is no number throws after the two check boxes are set and leaves the rest as it was.
    void B12Click();
};

}  // namespace tavrix
