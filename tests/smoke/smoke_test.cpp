// The real program, started as a user would in a prepared directory: it scans the romsets at
// start-up, writes what a first run writes, and ends cleanly when asked to.
#include "core/ini_document.h"
#include "fixtures/fresh_controller_file.h"
#include "fixtures/smoke_case.h"
#include "fixtures/temp_dir.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;

using namespace tavrix;
using namespace tavrix::test;

namespace {

pid_t startProgram() {
    pid_t pid = 0;
    char* argv[] = {const_cast<char*>(TAVRIX_PROGRAM), nullptr};
    EXPECT_EQ(::posix_spawn(&pid, TAVRIX_PROGRAM, nullptr, nullptr, argv, environ), 0);
    return pid;
}

bool waitFor(const std::function<bool()>& condition, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return condition();
}

// Whether the process has its own handler for SIGTERM, which the program sets up once its
// application object exists, before its window.
bool catchesTermination(pid_t pid) {
    const std::string status = readFile("/proc/" + std::to_string(pid) + "/status");
    const std::size_t at = status.find("SigCgt:");
    return at != std::string::npos && (std::stoull(status.substr(at + 7), nullptr, 16) >> (SIGTERM - 1) & 1) != 0;
}

}  // namespace

TEST(Smoke, StartUpScansWritesTheFirstRunFilesAndEndsCleanly) {
    TempDir dir;
    writeSmokeDirectory();
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

    const pid_t program = startProgram();
    ASSERT_GT(program, 0);
    const bool settled = waitFor(
        [] {
            return readFile("tavrix-controller.cfg") == kFreshControllerFile &&
                   IniDocument::parse(readFile("tavrix.ini")).hasKey("Game-3", "GameStatus");
        },
        std::chrono::seconds(30));
    ::kill(program, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(program, &status, 0), program);
    ASSERT_TRUE(settled) << readFile("tavrix.ini");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;

    expectSmokeFilesAfterStart();
}

TEST(Smoke, WithoutTheSettingsSectionTheProgramEndsAfterItsMessageAndWritesNothing) {
    TempDir dir;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const pid_t program = startProgram();
    ASSERT_GT(program, 0);
    if (!waitFor([&] { return catchesTermination(program); }, std::chrono::seconds(30))) {
        ::kill(program, SIGKILL);
        ::waitpid(program, nullptr, 0);
        FAIL() << "the program did not start";
    }
    // The message box waits for the user: the program keeps running and writes nothing.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    int status = 0;
    EXPECT_EQ(::waitpid(program, &status, WNOHANG), 0) << "ended without waiting for its message, status " << status;
    EXPECT_EQ(countEntries(), 0u);
    // Closing it is what a user would do next; asked to end, the program ends cleanly.
    ::kill(program, SIGTERM);
    ASSERT_EQ(::waitpid(program, &status, 0), program);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_EQ(countEntries(), 0u);
}
