#pragma once
// The emulator's command line, built from the state of the window's controls at the moment
// of a launch, the batch file that holds the same command, and the splitting of a command
// line into the arguments the emulator sees.
#include "core/error.h"
#include "core/settings.h"

#include <string>
#include <vector>

namespace tavrix {

// Everything a launch reads from the window. Plain values, so the command line can be built
// and tested without widgets.
struct LaunchInputs {
    int gameNumber = 0;                 // N of the game's database section "Game-N"
    bool soundOn = true;                // sound emulation
    bool filterOn = false;              // low-pass sound filter
    int cutoffIndex = 2;                // 0..3: 8000, 11025, 22050, 44100 Hz
    int soundEffect = 0;                // 0 none, 1 stereo exciter, 2 lite surround
    std::string multiplier = "40";      // lite surround multiplier, passed as typed
    bool slowGeometry = false;
    RendererKind renderer = RendererKind::OpenGL;
    bool useRegistrySettings = false;   // the software renderer keeps its own settings
    int rotationIndex = 0;              // 0..3: 0, 90, 180, 270 degrees; -1 no selection
    bool hideConsole = false;           // not part of the command line; used by the start
    bool vantrelPlugin = true;          // the game uses the outside controller plug-in
    std::string romPath;                // the romset directory as typed
};

// The command-line string handed to the emulator. It begins with a blank and the game
// number; every option follows with its own leading blank.
std::string buildLaunchCommand(const LaunchInputs& inputs);

// The whole content of the batch file: the program name immediately followed by the command
// line (which brings its own separating blank), then CR LF.
std::string batchFileContents(const std::string& commandLine);

// The error of a launch whose emulator cannot be started: "Cannot start "orvo.exe". reason".
Error cannotStartEmulatorError(const std::string& reason);

// Writes the batch file in the current directory; throws "Cannot create file ..." on failure.
void writeBatchFile(const std::string& commandLine);

// The arguments a Windows program reads from this command line (the program name is not part
// of it): split at blanks and tabs, with the runtime's handling of double quotes and the
// backslashes in front of them. A command line without quotes is simply split at blanks, so
// a path with blanks becomes several arguments.
std::vector<std::string> splitCommandLine(const std::string& commandLine);

}  // namespace tavrix
