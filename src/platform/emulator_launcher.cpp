#include "platform/emulator_launcher.h"

#include "core/emulator_contract.h"
#include "core/error.h"
#include "core/launch_command.h"
#include "platform/x11_windows.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

extern char** environ;

namespace tavrix {

namespace {

// How long the console of a freshly started emulator gets to appear before it is looked up.
constexpr std::chrono::milliseconds kConsoleAppearDelay(64);

Error cannotStartError(const std::string& reason) {
    return Error(std::string("Cannot start \"") + emulator::kExecutable + "\". " + reason);
}

// A Windows program begins with the "MZ" signature of its DOS header.
bool isWindowsProgram(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char signature[2] = {};
    ssize_t got;
    do {
        got = ::read(fd, signature, sizeof signature);
    } while (got < 0 && errno == EINTR);
    ::close(fd);
    return got == 2 && signature[0] == 'M' && signature[1] == 'Z';
}

bool isExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::string currentDirectory() {
    std::string buffer(4096, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) throw cannotStartError(systemErrorText(errno));
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    return buffer;
}

class SystemEmulatorLauncher : public EmulatorLauncher {
public:
    ~SystemEmulatorLauncher() override { waitForEnd(); }

    void start(const std::string& commandLine, bool hideConsole) override {
        waitForEnd();  // one emulator at a time
        const ProcessPlan plan = planEmulatorProcess(commandLine);

        std::vector<char*> argv;
        for (const auto& argument : plan.arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);

        // The emulator gets the environment and working directory, but none of our open files,
        // no blocked signals and no signals we ignore.
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclosefrom_np(&actions, 3);
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t noSignals;
        sigemptyset(&noSignals);
        sigset_t defaultSignals;
        sigfillset(&defaultSignals);
        sigdelset(&defaultSignals, SIGKILL);
        sigdelset(&defaultSignals, SIGSTOP);
        posix_spawnattr_setsigmask(&attributes, &noSignals);
        posix_spawnattr_setsigdefault(&attributes, &defaultSignals);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

        pid_t pid = 0;
        const int result = ::posix_spawn(&pid, plan.program.c_str(), &actions, &attributes, argv.data(), environ);
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
        if (result != 0) throw cannotStartError(systemErrorText(result));
        running = pid;

        if (hideConsole) {
            std::this_thread::sleep_for(kConsoleAppearDelay);
            hideTopLevelWindow(nullptr, emulator::kConsoleWindowTitle);
        }
    }

    void waitForEnd() override {
        if (running <= 0) return;
        int status = 0;
        while (::waitpid(running, &status, 0) < 0 && errno == EINTR) {
        }
        running = 0;
    }

private:
    pid_t running = 0;
};

}  // namespace

std::string findOnSearchPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (path == nullptr) return {};
    const std::string directories(path);
    size_t begin = 0;
    while (begin <= directories.size()) {
        size_t end = directories.find(':', begin);
        if (end == std::string::npos) end = directories.size();
        const std::string directory = directories.substr(begin, end - begin);
        // An empty entry would mean the current directory; it is not a place to look for tools.
        if (!directory.empty()) {
            const std::string candidate = directory + "/" + name;
            if (isExecutableFile(candidate)) return candidate;
        }
        begin = end + 1;
    }
    return {};
}

ProcessPlan planEmulatorProcess(const std::string& commandLine) {
    // The emulator is always the file in the current directory, never one from the search path.
    const std::string local = std::string("./") + emulator::kExecutable;
    const std::vector<std::string> emulatorArguments = splitCommandLine(commandLine);

    ProcessPlan plan;
    if (isWindowsProgram(local)) {
        const std::string wine = findOnSearchPath("wine");
        if (wine.empty())
            throw cannotStartError("It is a Windows program, and \"wine\" to run it was not found on the search path");
        plan.program = wine;
        plan.arguments = {"wine", currentDirectory() + "/" + emulator::kExecutable};
    } else {
        plan.program = local;
        plan.arguments = {emulator::kExecutable};
    }
    plan.arguments.insert(plan.arguments.end(), emulatorArguments.begin(), emulatorArguments.end());
    return plan;
}

std::unique_ptr<EmulatorLauncher> makeSystemEmulatorLauncher() {
    return std::make_unique<SystemEmulatorLauncher>();
}

}  // namespace tavrix
