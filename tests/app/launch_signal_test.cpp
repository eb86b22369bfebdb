// The program ends cleanly when signalled while the emulator runs, and the emulator goes on:
// a terminal's Ctrl+C or hang-up and a session's SIGTERM reach Tavrix's whole process group.
#include "fixtures/fake_emulator.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <functional>
#include <thread>

extern char** environ;

using namespace tavrix::test;

namespace {

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

}  // namespace

TEST(LaunchSignals, EndTavrixCleanlyAndLeaveTheEmulatorRunning) {
    TempDir dir;
    writeFile("tavrix.ini", "[Tavrix]\r\nroms-directory=.\\roms\r\n\r\n"
                            "[Game-1]\r\nGameName=Alpha Strike\r\nRom-1=a.bin:0000ABCD\r\n");
    installFakeEmulator("orvo.exe", 1200);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const size_t runsBefore = recordedRuns().size();
        // A group of its own, as a terminal gives a command it runs.
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        posix_spawnattr_setpgroup(&attributes, 0);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
        char* argv[] = {const_cast<char*>(TAVRIX_LAUNCH_HOST), nullptr};
        pid_t program = 0;
        ASSERT_EQ(::posix_spawn(&program, TAVRIX_LAUNCH_HOST, nullptr, &attributes, argv, environ), 0);
        posix_spawnattr_destroy(&attributes);

        ASSERT_TRUE(waitUntil([&] { return recordedRuns().size() == runsBefore + 1; }, std::chrono::seconds(20)))
            << "signal " << signal;
        ::kill(-program, signal);
        int status = -1;
        const bool exited =
            waitUntil([&] { return ::waitpid(program, &status, WNOHANG) == program; }, std::chrono::seconds(5));
        if (!exited) {
            ::kill(program, SIGKILL);
            ::waitpid(program, &status, 0);
        }
        EXPECT_TRUE(exited) << "signal " << signal;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "signal " << signal << " status " << status;
        // Tavrix ended before the emulator, which still ends its own way.
        EXPECT_FALSE(recordedRuns().back().ended) << "signal " << signal;
        EXPECT_TRUE(waitUntil([] { return recordedRuns().back().ended; }, std::chrono::seconds(5)))
            << "signal " << signal;
    }
}
