#include "core/error.h"
#include "platform/emulator_launcher.h"
#include "fixtures/fake_emulator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

using namespace tavrix;
using namespace tavrix::test;

namespace {

// Sets an environment variable for the test's lifetime.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            previous_ = old;
            hadValue_ = true;
        }
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (hadValue_) ::setenv(name_, previous_.c_str(), 1);
        else ::unsetenv(name_);
    }

private:
    const char* name_;
    std::string previous_;
    bool hadValue_ = false;
};

std::string startFailure(const std::string& commandLine) {
    auto launcher = makeSystemEmulatorLauncher();
    try {
        launcher->start(commandLine, false);
    } catch (const Error& error) {
        return error.what();
    }
    launcher->waitForEnd();
    return "started";
}

}  // namespace

TEST(EmulatorLauncher, RunsTheLocalProgramWithSplitArgumentsAndWaitsForItsEnd) {
    TempDir dir;
    installFakeEmulator("orvo.exe", 300);
    ScopedEnv mark("TAVRIX_TEST_MARK", "inherited");
    auto launcher = makeSystemEmulatorLauncher();

    const auto begin = std::chrono::steady_clock::now();
    launcher->start(" 12 --roms-directory=.\\my roms --rotate=1", false);
    launcher->waitForEnd();
    const auto elapsed = std::chrono::steady_clock::now() - begin;

    const auto runs = recordedRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].arguments,
              std::vector<std::string>({"orvo.exe", "12", "--roms-directory=.\\my", "roms", "--rotate=1"}));
    EXPECT_EQ(std::filesystem::path(runs[0].workingDirectory), std::filesystem::canonical(dir.path()));
    EXPECT_EQ(runs[0].environmentMark, "inherited");
    EXPECT_TRUE(runs[0].ended);
    EXPECT_GE(elapsed, std::chrono::milliseconds(300));

    // Waiting again with nothing running returns at once; a second start runs again.
    launcher->waitForEnd();
    launcher->start(" 1", false);
    launcher->waitForEnd();
    ASSERT_EQ(recordedRuns().size(), 2u);
    EXPECT_EQ(recordedRuns()[1].arguments, std::vector<std::string>({"orvo.exe", "1"}));
}

TEST(EmulatorLauncher, NoShellSeesTheCommandLine) {
    TempDir dir;
    installFakeEmulator();
    auto launcher = makeSystemEmulatorLauncher();
    launcher->start(" 5 --roms-directory=a;touch${IFS}hacked $(touch hacked2) `touch hacked3` > out", false);
    launcher->waitForEnd();
    const auto runs = recordedRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].arguments,
              std::vector<std::string>({"orvo.exe", "5", "--roms-directory=a;touch${IFS}hacked", "$(touch",
                                        "hacked2)", "`touch", "hacked3`", ">", "out"}));
    for (const char* name : {"hacked", "hacked2", "hacked3", "out"}) EXPECT_FALSE(std::filesystem::exists(name)) << name;
}

TEST(EmulatorLauncher, RunsAScriptDirectly) {
    TempDir dir;
    writeFile("orvo.exe", "#!/bin/sh\nprintf '%s|' \"$@\" > script-args.txt\n");
    std::filesystem::permissions("orvo.exe", std::filesystem::perms::owner_all);
    auto launcher = makeSystemEmulatorLauncher();
    launcher->start(" 7 --use-sound=no", false);
    launcher->waitForEnd();
    EXPECT_EQ(readFile("script-args.txt"), "7|--use-sound=no|");
}

TEST(EmulatorLauncher, FailuresToStartCarryTheSystemReason) {
    TempDir dir;
    // An orvo.exe on the search path is never used.
    installFakeEmulator(dir.path() / "bin" / "orvo.exe");
    ScopedEnv path("PATH", (dir.path() / "bin").string() + ":/usr/bin:/bin");
    EXPECT_EQ(startFailure(" 1"), "Cannot start \"orvo.exe\". No such file or directory");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "bin" / "orvo-run.txt"));
    EXPECT_FALSE(std::filesystem::exists("orvo-run.txt"));

    writeFile("orvo.exe", "#!/bin/sh\ntouch ran\n");
    std::filesystem::permissions("orvo.exe", std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    if (::geteuid() != 0) {
        EXPECT_EQ(startFailure(" 1"), "Cannot start \"orvo.exe\". Permission denied");
    }
    EXPECT_FALSE(std::filesystem::exists("ran"));

    // No interpreter line and no known format: no shell steps in.
    writeFile("orvo.exe", "touch ran\n");
    std::filesystem::permissions("orvo.exe", std::filesystem::perms::owner_all);
    EXPECT_EQ(startFailure(" 1"), "Cannot start \"orvo.exe\". Exec format error");
    EXPECT_FALSE(std::filesystem::exists("ran"));

    std::filesystem::remove("orvo.exe");
    std::filesystem::create_directory("orvo.exe");
    EXPECT_EQ(startFailure(" 1"), "Cannot start \"orvo.exe\". Permission denied");
}

TEST(EmulatorLauncher, WindowsProgramRunsThroughWineFromTheSearchPath) {
    TempDir dir;
    writeFile("orvo.exe", std::string("MZ\x90\0\3\0\0\0", 8) + std::string(200, '\0'));
    std::filesystem::permissions("orvo.exe", std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    std::filesystem::create_directory("empty-bin");
    {
        ScopedEnv path("PATH", (dir.path() / "empty-bin").string());
        EXPECT_EQ(findOnSearchPath("wine"), "");
        EXPECT_EQ(startFailure(" 4"),
                  "Cannot start \"orvo.exe\". It is a Windows program, and \"wine\" to run it was not found on the "
                  "search path");
    }

    installFakeEmulator(dir.path() / "tools" / "wine");
    ScopedEnv path("PATH", (dir.path() / "empty-bin").string() + "::" + (dir.path() / "tools").string());
    EXPECT_EQ(findOnSearchPath("wine"), (dir.path() / "tools" / "wine").string());
    const ProcessPlan plan = planEmulatorProcess(" 4 --rotate=2");
    EXPECT_EQ(plan.program, (dir.path() / "tools" / "wine").string());

    auto launcher = makeSystemEmulatorLauncher();
    launcher->start(" 4 --rotate=2", false);
    launcher->waitForEnd();
    const auto runs = recordedRuns();
    ASSERT_EQ(runs.size(), 1u);
    const std::string here = std::filesystem::current_path().string();
    EXPECT_EQ(runs[0].arguments, std::vector<std::string>({"wine", here + "/orvo.exe", "4", "--rotate=2"}));
    EXPECT_EQ(runs[0].workingDirectory, here);
}
