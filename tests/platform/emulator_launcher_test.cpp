#include "core/error.h"
#include "platform/emulator_launcher.h"
#include "fixtures/fake_emulator.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

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
    EXPECT_TRUE(waitForEmulatorEnd(*launcher));
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
    // start returns while the emulator runs; the end comes through the event loop.
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(200));
    EXPECT_TRUE(launcher->isRunning());
    EXPECT_THROW(launcher->start(" 13", false), Error);  // one at a time
    ASSERT_TRUE(waitForEmulatorEnd(*launcher));
    EXPECT_FALSE(launcher->isRunning());
    const auto elapsed = std::chrono::steady_clock::now() - begin;

    const auto runs = recordedRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].arguments,
              std::vector<std::string>({"orvo.exe", "12", "--roms-directory=.\\my", "roms", "--rotate=1"}));
    EXPECT_EQ(std::filesystem::path(runs[0].workingDirectory), std::filesystem::canonical(dir.path()));
    EXPECT_EQ(runs[0].environmentMark, "inherited");
    EXPECT_TRUE(runs[0].ended);
    EXPECT_GE(elapsed, std::chrono::milliseconds(300));

    // A second start runs again.
    launcher->start(" 1", false);
    ASSERT_TRUE(waitForEmulatorEnd(*launcher));
    ASSERT_EQ(recordedRuns().size(), 2u);
    EXPECT_EQ(recordedRuns()[1].arguments, std::vector<std::string>({"orvo.exe", "1"}));
}

TEST(EmulatorLauncher, NoShellSeesTheCommandLine) {
    TempDir dir;
    installFakeEmulator();
    auto launcher = makeSystemEmulatorLauncher();
    launcher->start(" 5 --roms-directory=a;touch${IFS}hacked $(touch hacked2) `touch hacked3` > out", false);
    ASSERT_TRUE(waitForEmulatorEnd(*launcher));
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
    ASSERT_TRUE(waitForEmulatorEnd(*launcher));
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
    ASSERT_TRUE(waitForEmulatorEnd(*launcher));
    const auto runs = recordedRuns();
    ASSERT_EQ(runs.size(), 1u);
    const std::string here = std::filesystem::current_path().string();
    EXPECT_EQ(runs[0].arguments, std::vector<std::string>({"wine", here + "/orvo.exe", "4", "--rotate=2"}));
    EXPECT_EQ(runs[0].workingDirectory, here);
}

TEST(EmulatorLauncher, ReportsTheEndHoweverTheEmulatorEnds) {
    TempDir dir;
    auto launcher = makeSystemEmulatorLauncher();
    int endings = 0;
    QObject::connect(launcher.get(), &EmulatorLauncher::ended, [&] { ++endings; });
    const char* const scripts[] = {"exit 3", "kill -SEGV $$", "kill -KILL $$", "sleep 0.3"};
    for (const char* body : scripts) {
        writeFile("orvo.exe", std::string("#!/bin/sh\n") + body + "\n");
        std::filesystem::permissions("orvo.exe", std::filesystem::perms::owner_all);
        const int before = endings;
        launcher->start(" 1", false);
        EXPECT_TRUE(waitForEmulatorEnd(*launcher)) << body;
        EXPECT_EQ(endings, before + 1) << body;
        EXPECT_FALSE(launcher->isRunning()) << body;
    }
}

TEST(EmulatorLauncher, TheEmulatorHasASessionOfItsOwnAndOutlivesTheLauncher) {
    TempDir dir;
    // Fields 5 and 6 of the process's stat line: its process group and its session.
    writeFile("orvo.exe", "#!/bin/sh\nset -- $(cat /proc/$$/stat)\necho \"$$ $5 $6\" > ids.txt\n"
                          "sleep 0.4\ntouch ended.txt\n");
    std::filesystem::permissions("orvo.exe", std::filesystem::perms::owner_all);
    auto launcher = makeSystemEmulatorLauncher();
    launcher->start(" 1", false);
    for (int i = 0; i < 100 && readFile("ids.txt").empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    launcher.reset();  // neither waits nor stops the emulator

    std::istringstream ids(readFile("ids.txt"));
    pid_t pid = 0, group = 0, session = 0;
    ASSERT_TRUE(ids >> pid >> group >> session) << readFile("ids.txt");
    EXPECT_EQ(group, pid);
    EXPECT_EQ(session, pid);
    EXPECT_NE(session, ::getsid(0));
    EXPECT_FALSE(std::filesystem::exists("ended.txt"));
    for (int i = 0; i < 200 && !std::filesystem::exists("ended.txt"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(std::filesystem::exists("ended.txt"));
}
