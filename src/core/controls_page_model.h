#pragma once
// The Controls page without its widgets: the fourteen assignable inputs, the player, the
// joystick interface box and the capture of one input, with the page's handlers as operations.
// A front end draws these values, forwards key presses and joystick events, and starts the
// joysticks' capture when a capture begins.
#include "core/controller_config.h"
#include "core/layout/captions.h"
#include "core/page_model.h"
#include "core/input_names.h"

#include <cstdint>
#include <string>

namespace tavrix {

struct ControlsPageModel : PageModel {
    ControllerPageState state;  // captions of L21 .. L34, CB23, CB25
    InputNameTable names{false};
    bool capturing = false;     // the key receiver E4 is enabled and the window asks for a key
    // Counts the times the window caption is set afresh: to the request for a key when a
    // capture starts, to the program's title whenever a capture ends.
    int captionsSet = 0;
    Caption groupCaption = playerGroupCaption(0);  // GB6, names the player picked in CB23

    // L21 .. L34, CB23, CB25 and GB6.
    ControlFields fields() override;
    ControlStates enabledControls() const override { return {{"E4", capturing}}; }

    // CB23's selection for the stored player: any player but the first shows the second.
    int playerIndex() const { return state.player == 0 ? 0 : 1; }

    // Start-up: the display names in the interface language.
    void buildInputNames(bool english) { names.build(english); }

    void LoadControllerConfig() { loadControllerConfig(state, names); }
    void SaveControllerConfig() const { saveControllerConfig(state, names); }

    // A double-click on assignable label `label` (0 for L21 .. 13 for L34): it shows the marker
    // and waits. False while another label waits: one capture at a time.
    bool L27DblClick(int label);
    void E4KeyDown(int virtualKey) { completeCapture(virtualKey); }
    // The input (0 .. 13) whose label waits for a key, or -1.
    int waitingLabel() const;
    // A joystick event of port 1 or 2; a centred stick without a button is no input.
    void J1JoyMove(int joystick, int xPos, int yPos, uint16_t buttonStatus);
    // A joystick was unplugged: a waiting label gets its input back and the capture ends.
    void J1JoyRemoved();
    void TS4Show() { LoadControllerConfig(); }
    void TS4Hide() { endCapture(); }
    // The front end sets `state.player` to the user's pick, then calls this.
    void CB23Change();
    void B04Click() const { SaveControllerConfig(); }  // the front end then shows Game Info
    void B03Click();

private:
    void endCapture();
    void completeCapture(int inputCode);

    // What the waiting label showed before the marker, for a capture that ends without input.
    std::string captionBeforeCapture;
};

}  // namespace tavrix
