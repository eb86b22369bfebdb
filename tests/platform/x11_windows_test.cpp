#include "platform/emulator_launcher.h"
#include "platform/x11_windows.h"
#include "fixtures/fake_emulator.h"

// GoogleTest before Xlib, whose macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

extern char** environ;

namespace {

// A private virtual X server for the test's lifetime.
class PrivateXServer {
public:
    PrivateXServer() {
        for (int number = 80 + ::getpid() % 100; number < 400 && pid_ == 0; number += 7) {
            if (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number)) ||
                std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock"))
                continue;
            name_ = ":" + std::to_string(number);
            const char* argv[] = {"Xvfb", name_.c_str(), "-nolisten", "tcp", "-screen", "0", "640x480x24", nullptr};
            if (::posix_spawn(&pid_, "/usr/bin/Xvfb", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
                pid_ = 0;
        }
        if (pid_ == 0) return;
        for (int attempt = 0; attempt < 100 && display_ == nullptr; ++attempt) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            display_ = XOpenDisplay(name_.c_str());
        }
    }
    ~PrivateXServer() {
        if (display_ != nullptr) XCloseDisplay(display_);
        if (pid_ != 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    Display* display() const { return display_; }
    const char* name() const { return name_.c_str(); }

    Window createWindow(Window parent, const char* title) {
        const Window window = XCreateSimpleWindow(display_, parent, 10, 10, 50, 50, 0, 0, 0);
        if (title != nullptr) XStoreName(display_, window, title);
        XMapWindow(display_, window);
        XSync(display_, False);
        return window;
    }
    bool isMapped(Window window) {
        XWindowAttributes attributes{};
        XSync(display_, False);
        XGetWindowAttributes(display_, window, &attributes);
        return attributes.map_state != IsUnmapped;
    }

private:
    pid_t pid_ = 0;
    std::string name_;
    Display* display_ = nullptr;
};

}  // namespace

TEST(ConsoleWindow, HidesOnlyTheTopLevelWindowWithTheExactTitle) {
    if (!std::filesystem::exists("/usr/bin/Xvfb")) GTEST_SKIP() << "no Xvfb on this machine";
    PrivateXServer server;
    ASSERT_NE(server.display(), nullptr);
    const Window root = DefaultRootWindow(server.display());
    const Window similar = server.createWindow(root, "orvo.exe - game");
    const Window otherCase = server.createWindow(root, "ORVO.EXE");
    EXPECT_FALSE(tavrix::hideTopLevelWindow(server.name(), "orvo.exe"));

    const Window console = server.createWindow(root, "orvo.exe");
    EXPECT_TRUE(tavrix::hideTopLevelWindow(server.name(), "orvo.exe"));
    EXPECT_FALSE(server.isMapped(console));
    EXPECT_TRUE(server.isMapped(similar));
    EXPECT_TRUE(server.isMapped(otherCase));

    // A client window inside an untitled frame, as a window manager places it, counts as top-level.
    XDestroyWindow(server.display(), console);
    const Window frame = server.createWindow(root, nullptr);
    const Window framed = server.createWindow(frame, "orvo.exe");
    EXPECT_TRUE(tavrix::hideTopLevelWindow(server.name(), "orvo.exe"));
    EXPECT_FALSE(server.isMapped(framed));
    EXPECT_TRUE(server.isMapped(frame));
}

TEST(ConsoleWindow, WithoutAnXDisplayNothingHappens) {
    const char* previous = std::getenv("DISPLAY");
    const std::string saved = previous != nullptr ? previous : "";
    ::unsetenv("DISPLAY");
    EXPECT_FALSE(tavrix::hideTopLevelWindow(nullptr, "orvo.exe"));
    EXPECT_FALSE(tavrix::hideTopLevelWindow(":999", "orvo.exe"));
    if (previous != nullptr) ::setenv("DISPLAY", saved.c_str(), 1);
}

TEST(ConsoleWindow, LauncherHidesTheConsoleAfterTheStartOnlyWhenAsked) {
    if (!std::filesystem::exists("/usr/bin/Xvfb")) GTEST_SKIP() << "no Xvfb on this machine";
    tavrix::test::TempDir dir;
    tavrix::test::installFakeEmulator();
    PrivateXServer server;
    ASSERT_NE(server.display(), nullptr);
    const char* previous = std::getenv("DISPLAY");
    const std::string saved = previous != nullptr ? previous : "";
    ::setenv("DISPLAY", server.name(), 1);
    const Window console = server.createWindow(DefaultRootWindow(server.display()), "orvo.exe");

    auto launcher = tavrix::makeSystemEmulatorLauncher();
    launcher->start(" 1", false);
    ASSERT_TRUE(tavrix::test::waitForEmulatorEnd(*launcher));
    EXPECT_TRUE(server.isMapped(console));

    tavrix::test::installFakeEmulator("orvo.exe", 500);
    launcher->start(" 1", true);
    ASSERT_TRUE(tavrix::test::waitForEmulatorEnd(*launcher));
    EXPECT_FALSE(server.isMapped(console));

    // A console that opens only a while after the start (wine starting up) is found as well.
    tavrix::test::installFakeEmulator("orvo.exe", 1500);
    launcher->start(" 1", true);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    const Window lateConsole = server.createWindow(DefaultRootWindow(server.display()), "orvo.exe");
    ASSERT_TRUE(tavrix::test::waitForEmulatorEnd(*launcher));
    EXPECT_FALSE(server.isMapped(lateConsole));
    EXPECT_EQ(tavrix::test::recordedRuns().size(), 3u);

    if (previous != nullptr) ::setenv("DISPLAY", saved.c_str(), 1);
    else ::unsetenv("DISPLAY");
}
