#include "core/launch_command.h"

#include "core/emulator_contract.h"
#include "core/file_io.h"

namespace tavrix {

namespace {

void appendSoundOptions(std::string& command, const LaunchInputs& in) {
    if (!in.soundOn) {
        // Sound off replaces every other sound option.
        command = " --use-sound=no";
        return;
    }
    if (in.filterOn) {
        command += " --sound-filter-enable=yes --sound-filter-cutoff=";
        // The list always has one of its four entries selected; without one the value is empty
        // rather than a made-up frequency.
        if (in.cutoffIndex >= 0 && in.cutoffIndex < 4)
            command += std::to_string(kCutoffFrequencies[in.cutoffIndex]);
    }
    if (in.soundEffect == 1) command += " --sound-stereo-exciter=yes";
    if (in.soundEffect == 2)
        command += " --sound-surround-lite-enable=yes --sound-surround-lite-multiplier=" + in.multiplier;
}

}  // namespace

std::string buildLaunchCommand(const LaunchInputs& in) {
    std::string command;
    appendSoundOptions(command, in);

    if (in.slowGeometry) command += " --use-slow-geometry=yes";

    using namespace emulator;
    command += std::string(" ") + kRendererOption + rendererPluginFileName(in.renderer);
    if (!in.useRegistrySettings) {
        command += std::string(" ") + kRendererConfigOption +
                   (in.renderer == RendererKind::Software ? kSoftwareRendererConfigFile : kHardwareRendererConfigFile);
    }

    if (in.vantrelPlugin) {
        command += std::string(" ") + kControllerOption + kVantrelControllerPlugin + " " + kControllerConfigOption +
                   kControllerConfigFile;
    } else {
        command += std::string(" ") + kControllerOption + kKeyboardControllerPlugin;
    }

    command = " " + std::to_string(in.gameNumber) + command + " --roms-directory=" + in.romPath;

    // The index is passed, not the degrees. A rotation list without a selection (a stored
    // angle the list does not know) means no rotation rather than an index of -1.
    if (in.rotationIndex >= 1 && in.rotationIndex <= 3) command += " --rotate=" + std::to_string(in.rotationIndex);
    return command;
}

std::string batchFileContents(const std::string& commandLine) {
    return std::string(emulator::kExecutable) + commandLine + "\r\n";
}

Error cannotStartEmulatorError(const std::string& reason) {
    return Error(std::string("Cannot start \"") + emulator::kExecutable + "\". " + reason);
}

void writeBatchFile(const std::string& commandLine) {
    writeFileAtomically(emulator::kBatchFileName, batchFileContents(commandLine));
}

std::vector<std::string> splitCommandLine(const std::string& commandLine) {
    std::vector<std::string> arguments;
    const size_t length = commandLine.size();
    size_t i = 0;
    for (;;) {
        while (i < length && (commandLine[i] == ' ' || commandLine[i] == '\t')) ++i;
        if (i >= length) break;

        std::string argument;
        bool quoted = false;
        while (i < length) {
            const char c = commandLine[i];
            if (!quoted && (c == ' ' || c == '\t')) break;
            if (c == '\\') {
                size_t slashes = 0;
                while (i < length && commandLine[i] == '\\') {
                    ++slashes;
                    ++i;
                }
                if (i < length && commandLine[i] == '"') {
                    // 2n backslashes and a quote: n backslashes, the quote toggles quoting;
                    // 2n+1 backslashes and a quote: n backslashes and a literal quote.
                    argument.append(slashes / 2, '\\');
                    if (slashes % 2 == 1) {
                        argument += '"';
                        ++i;
                    }
                } else {
                    // Backslashes not followed by a quote are plain characters (".\roms").
                    argument.append(slashes, '\\');
                }
                continue;
            }
            if (c == '"') {
                // Inside quotes, a doubled quote stands for one literal quote.
                if (quoted && i + 1 < length && commandLine[i + 1] == '"') {
                    argument += '"';
                    i += 2;
                    continue;
                }
                quoted = !quoted;
                ++i;
                continue;
            }
            argument += c;
            ++i;
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

}  // namespace tavrix
