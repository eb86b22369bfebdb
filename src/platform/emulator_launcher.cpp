#include "platform/emulator_launcher.h"

#include "core/emulator_contract.h"
#include "core/error.h"
#include "core/launch_command.h"
#include "platform/x11_windows.h"

#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <mutex>
#include <thread>

extern char** environ;

namespace tavrix {

namespace {

// The console of a freshly started emulator is first looked for after this delay, then again
// at short intervals for a while: a Windows program under wine opens it only once wine is up.
constexpr std::chrono::milliseconds kConsoleAppearDelay(64);
constexpr std::chrono::milliseconds kConsoleRetryInterval(100);
constexpr std::chrono::seconds kConsoleSearchTime(15);
// Without a process descriptor the end of the emulator is polled at this interval.
constexpr int kEndPollMilliseconds = 100;

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
        if (errno != ERANGE) throw cannotStartEmulatorError(systemErrorText(errno));
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    return buffer;
}

// Looks for the emulator's console window on an X display and hides it, on a worker thread of
// its own so the event loop goes on while an X server (XWayland started on demand, say) answers.
class ConsoleHider {
public:
    ~ConsoleHider() { stop(); }

    void begin(std::string displayName) {
        stop();
        stopping = false;
        worker = std::thread([this, displayName = std::move(displayName)] { search(displayName); });
    }

    void stop() {
        {
            std::lock_guard<std::mutex> lock(mutex);
            stopping = true;
        }
        wake.notify_all();
        if (worker.joinable()) worker.join();
    }

private:
    void search(const std::string& displayName) {
        const auto deadline = std::chrono::steady_clock::now() + kConsoleSearchTime;
        std::unique_lock<std::mutex> lock(mutex);
        std::chrono::milliseconds pause = kConsoleAppearDelay;
        while (!wake.wait_for(lock, pause, [this] { return stopping; })) {
            lock.unlock();
            const bool hidden = hideTopLevelWindow(displayName.c_str(), emulator::kConsoleWindowTitle);
            lock.lock();
            if (hidden || std::chrono::steady_clock::now() >= deadline) return;
            pause = kConsoleRetryInterval;
        }
    }

    std::thread worker;
    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
};

class SystemEmulatorLauncher : public EmulatorLauncher {
public:
    // The emulator is not waited for and not stopped: it belongs to the user now.
    ~SystemEmulatorLauncher() override {
        consoleHider.stop();
        forget();
    }

    void start(const std::string& commandLine, bool hideConsole) override {
        if (isRunning()) throw cannotStartEmulatorError("The emulator is still running");
        const ProcessPlan plan = planEmulatorProcess(commandLine);

        std::vector<char*> argv;
        for (const auto& argument : plan.arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);

        // The emulator gets the environment and working directory, but none of our open files,
        // no blocked signals and no signals we ignore or catch. Its own session keeps it out of
        // the process group that a terminal or a session manager signals to end Tavrix.
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
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);

        pid_t pid = 0;
        const int result = ::posix_spawn(&pid, plan.program.c_str(), &actions, &attributes, argv.data(), environ);
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
        if (result != 0) throw cannotStartEmulatorError(systemErrorText(result));
        running = pid;
        watchForEnd();

        // The console belongs to the X display (through XWayland on a Wayland desktop), whatever
        // display Tavrix itself uses.
        const char* display = std::getenv("DISPLAY");
        if (hideConsole && display != nullptr && *display != '\0') consoleHider.begin(display);
    }

    bool isRunning() const override { return running > 0; }

private:
    // A process descriptor becomes readable when the process ends; the event loop watches it.
    // Without one (an old kernel), the end is polled.
    void watchForEnd() {
#ifdef SYS_pidfd_open
        const int fd = static_cast<int>(::syscall(SYS_pidfd_open, running, 0));  // close-on-exec
#else
        const int fd = -1;
#endif
        if (fd >= 0) {
            processFd = fd;
            endNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
            connect(endNotifier, &QSocketNotifier::activated, this, [this] { collect(); });
        } else {
            endPoll = new QTimer(this);
            connect(endPoll, &QTimer::timeout, this, [this] { collect(); });
            endPoll->start(kEndPollMilliseconds);
        }
    }

    // Reaps the emulator if it has ended and tells the window.
    void collect() {
        int status = 0;
        pid_t result;
        do {
            result = ::waitpid(running, &status, WNOHANG);
        } while (result < 0 && errno == EINTR);
        if (result == 0) return;  // still running
        consoleHider.stop();
        forget();
        emit ended();
    }

    // Called from the watcher's own signal as well, so the watcher goes later.
    void forget() {
        if (endNotifier != nullptr) {
            endNotifier->setEnabled(false);
            endNotifier->deleteLater();
            endNotifier = nullptr;
        }
        if (endPoll != nullptr) {
            endPoll->stop();
            endPoll->deleteLater();
            endPoll = nullptr;
        }
        if (processFd >= 0) ::close(processFd);
        processFd = -1;
        running = 0;
    }

    pid_t running = 0;
    int processFd = -1;
    QSocketNotifier* endNotifier = nullptr;
    QTimer* endPoll = nullptr;
    ConsoleHider consoleHider;
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
            throw cannotStartEmulatorError("It is a Windows program, and \"wine\" to run it was not found on the search path");
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
