#include "core/launch_model.h"

namespace tavrix {

void LaunchModel::LV0DblClick(LaunchSteps& steps) {
    if (running_) return;  // one emulator at a time
    const int number = steps.selectedGame();
    if (number == 0) return;
    const LaunchInputs inputs = steps.launchInputs(number);
    const std::string commandLine = buildLaunchCommand(inputs);
    if (batchRequested) {
        // Cleared whether or not the file can be written; a failure is reported.
        batchRequested = false;
        writeBatchFile(commandLine);
        return;
    }
    running_ = true;
    steps.hideWindow();
    try {
        steps.startEmulator(commandLine, inputs.hideConsole);
    } catch (...) {
        emulatorEnded(steps);
        throw;
    }
}

void LaunchModel::LV0KeyDown(ListKey key, KeyModifiers modifiers, LaunchSteps& steps) {
    // Enter types character 13 only on its own or with Shift: with Ctrl it types a line feed,
    // and with Alt no character at all.
    if (key == ListKey::Enter && !modifiers.ctrl && !modifiers.alt) LV0DblClick(steps);
    if (key == ListKey::F11 && modifiers.ctrl && !modifiers.shift && !modifiers.alt) {
        // Set before the selection is looked at.
        batchRequested = true;
        LV0DblClick(steps);
    }
}

void LaunchModel::emulatorEnded(LaunchSteps& steps) {
    if (!running_) return;
    running_ = false;
    steps.showWindow();
}

}  // namespace tavrix
