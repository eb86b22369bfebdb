#pragma once
// Starting the outside emulator and waiting for it. The window code talks to the interface;
// tests put a recording launcher around the real one.
#include <memory>
#include <string>
#include <vector>

namespace tavrix {

class EmulatorLauncher {
public:
    virtual ~EmulatorLauncher() = default;

    // Starts orvo.exe from the current directory with the arguments of `commandLine` (which does
    // not repeat the program name). Throws tavrix::Error with the system's reason when the
    // program cannot be started. With `hideConsole`, the emulator's console window is looked up
    // shortly after the start and hidden.
    virtual void start(const std::string& commandLine, bool hideConsole) = 0;

    // Blocks the calling thread until the emulator started last has ended. Returns at once when
    // nothing runs.
    virtual void waitForEnd() = 0;
};

// The launcher of this system: no search path for the emulator, no shell, environment and
// working directory inherited; a Windows program is run through wine.
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
