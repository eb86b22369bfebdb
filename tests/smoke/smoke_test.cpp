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
    // The message box waits for the user; closing it is what a user would do next.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_EQ(countEntries(), 0u);
    ::kill(program, SIGTERM);
    int status = 0;
    ::waitpid(program, &status, 0);
    EXPECT_EQ(countEntries(), 0u);
}
