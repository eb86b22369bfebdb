#pragma once
// The launch without its widgets: which keys of the game list launch, the batch-file request,
// one emulator at a time, and the window hidden while the emulator runs. A front end carries
// out each step on its own window through LaunchSteps. A front end whose start waits for the
// emulator calls emulatorEnded() when its wait is over; one whose start returns at once calls
// it when it hears of the end.
#include "core/launch_command.h"

#include <string>

namespace tavrix {

// The keys of the game list that the launch takes, and the modifiers held with them.
enum class ListKey { Enter, F11, Other };
struct KeyModifiers {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

class LaunchSteps {
public:
    virtual ~LaunchSteps() = default;
    // The game number of the list's selected entry; 0 when none is selected.
    virtual int selectedGame() const = 0;
    // Every page's launch inputs as its model holds them now, saved or not, for that game.
    virtual LaunchInputs launchInputs(int gameNumber) const = 0;
    // The window out of the way while the emulator runs: hidden, taking no input, its
    // joysticks quiet.
    virtual void hideWindow() = 0;
    // Starts the emulator (see LaunchModel above on waiting); throws tavrix::Error when it
    // cannot be started.
    virtual void startEmulator(const std::string& commandLine, bool hideConsole) = 0;
    virtual void showWindow() = 0;
};

class LaunchModel {
public:
    // Ctrl+F11 asked for the batch file; the next launch writes it instead of starting.
    bool batchRequested = false;
    // An emulator started from the window has not ended yet.
    bool running() const { return running_; }

    // A double click in the list (Enter does the same): writes the batch file when asked
    // for, else starts the emulator with the window hidden. Nothing happens while no entry is
    // selected or an emulator runs. An emulator that cannot be started is thrown after the
    // window has come back.
    void LV0DblClick(LaunchSteps& steps);
    // A key in the list: Enter alone or with Shift launches; Ctrl+F11 without Shift or Alt
    // asks for the batch file (also when nothing is selected: the request then waits for the
    // next launch) and launches.
    void LV0KeyDown(ListKey key, KeyModifiers modifiers, LaunchSteps& steps);
    // The emulator has ended: the window comes back.
    void emulatorEnded(LaunchSteps& steps);

private:
    bool running_ = false;
};

}  // namespace tavrix
