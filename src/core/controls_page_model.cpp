#include "core/controls_page_model.h"

#include "core/joystick_scaling.h"

namespace tavrix {

ControlFields ControlsPageModel::fields() {
    static const char* const kLabels[kControllerLabelCount] = {"L21", "L22", "L23", "L24", "L25", "L26", "L27",
                                                               "L28", "L29", "L30", "L31", "L32", "L33", "L34"};
    ControlFields all{{"CB23", nullptr, &state.player}, {"CB25", &state.useMM}, {"GB6", nullptr, nullptr, nullptr, &groupCaption}};
    for (int i = 0; i < kControllerLabelCount; ++i)
        all.push_back({kLabels[i], nullptr, nullptr, &state.captions[static_cast<std::size_t>(i)]});
    return all;
}

void ControlsPageModel::endCapture() {
    capturing = false;
    ++captionsSet;
}

bool ControlsPageModel::L27DblClick(int label) {
    if (label < 0 || label >= kControllerLabelCount) return false;
    for (const std::string& caption : state.captions)
        if (caption == kCaptureMarker) return false;
    captionBeforeCapture = state.captions[label];
    state.captions[label] = kCaptureMarker;
    capturing = true;
    ++captionsSet;
    return true;
}

int ControlsPageModel::waitingLabel() const {
    for (int label = 0; label < kControllerLabelCount; ++label)
        if (state.captions[static_cast<std::size_t>(label)] == kCaptureMarker) return label;
    return -1;
}

void ControlsPageModel::completeCapture(int inputCode) {
    for (std::string& caption : state.captions)
        if (caption == kCaptureMarker) caption = names.name(inputCode);
    endCapture();
}

void ControlsPageModel::J1JoyMove(int joystick, int xPos, int yPos, uint16_t buttonStatus) {
    const std::optional<int> code = joystickInputCode(xPos, yPos, buttonStatus, joystick);
    if (code) completeCapture(*code);
}

void ControlsPageModel::J1JoyRemoved() {
    // The stick may have been the one the user meant to press: the next double-click then
    // starts a fresh capture.
    bool pending = false;
    for (std::string& caption : state.captions) {
        if (caption != kCaptureMarker) continue;
        caption = captionBeforeCapture;
        pending = true;
    }
    if (pending) endCapture();
}

void ControlsPageModel::CB23Change() {
    endCapture();
    groupCaption = playerGroupCaption(playerIndex());
    LoadControllerConfig();
}

void ControlsPageModel::B03Click() {
    endCapture();
    LoadControllerConfig();
}

}  // namespace tavrix
