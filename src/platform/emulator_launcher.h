#pragma once
// Starting the outside emulator and following it to its end through the event loop, so the
// window stays responsive to the desktop while the emulator runs. The window code talks to the
// interface; tests put a recording launcher around the real one.
#include <QObject>

#include <memory>
#include <string>
#include <vector>

namespace tavrix {

class EmulatorLauncher : public QObject {
    Q_OBJECT
public:
    ~EmulatorLauncher() override = default;

    // Starts orvo.exe from the current directory with the arguments of `commandLine` (which does
    // not repeat the program name) and returns at once; `ended` follows from the event loop when
    // the emulator has ended, however it ended. Throws tavrix::Error with the system's reason when
    // the program cannot be started (then no `ended` follows), or while the last one still runs.
    // With `hideConsole`, the emulator's console window is looked for on the X display and hidden.
    virtual void start(const std::string& commandLine, bool hideConsole) = 0;

    // Whether the emulator started last has not been seen to end yet.
    virtual bool isRunning() const = 0;

signals:
    void ended();
};

// The launcher of this system: no search path for the emulator, no shell, environment and
// working directory inherited; a Windows program is run through wine. The emulator gets a
// session of its own, so the signals that end Tavrix (a terminal's Ctrl+C or hang-up, a
// logout) are not delivered to it; ending Tavrix or the launcher leaves it running.
std::unique_ptr<EmulatorLauncher> makeSystemEmulatorLauncher();

// What the system launcher executes for a command line: the file to run and its argument
// vector (argv[0] first). Throws tavrix::Error when the emulator cannot be run at all.
struct ProcessPlan {
    std::string program;
    std::vector<std::string> arguments;
};
ProcessPlan planEmulatorProcess(const std::string& commandLine);

// The first executable file called `name` in the directories of PATH, or empty.
std::string findOnSearchPath(const std::string& name);

}  // namespace tavrix
