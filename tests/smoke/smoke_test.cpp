// The real program, started as a user would in a prepared directory: it scans the romsets at
// start-up, writes what a first run writes, and ends cleanly when asked to.
#include "core/ini_document.h"
#include "fixtures/fresh_controller_file.h"
#include "fixtures/temp_dir.h"
#include "fixtures/zip_builder.h"

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

const char* const kDatabase =
    "[Tavrix]\r\n"
    "startup-scan=1\r\n"
    "roms-directory=.\\roms\r\n"
    "renderer=renderer-ogl.orv\r\n"
    "\r\n"
    "[Game-1]\r\nGameName=Complete\r\nRomSetName=full\r\nRom-1=a.bin:000000A1\r\nRom-2=b.bin:000000B2\r\n"
    "\r\n"
    "[Game-2]\r\nGameName=Partial\r\nRomSetName=half\r\nRom-1=c.bin:000000C3\r\nRom-2=d.bin:000000D4\r\n"
    "\r\n"
    "[Game-3]\r\nGameName=Absent\r\nRomSetName=gone\r\nRom-1=e.bin:000000E5\r\n"
    "\r\n";

const char* const kHardwareRendererDefaults =
    "; Tavrix\r\n\r\nXSize=800\r\nYSize=600\r\nFullScreen=0\r\nColorDepth=32\r\nScanLines=0\r\nFiltering=0\r\n"
    "Blending=0\r\nDithering=0\r\nShowFPS=0\r\nFrameLimitation=1\r\nFrameSkipping=0\r\nFramerateDetection=1\r\n"
    "FramerateManual=100\r\nTextureType=3\r\nTextureCaching=2\r\nEnableKeys=1\r\nFastExcel=0\r\n";

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
    writeFile("tavrix.ini", kDatabase);
    writeFile("roms/full.zip", ZipBuilder().addFileWithCrc("a.bin", 0xA1).addFileWithCrc("x/b.bin", 0xB2).build());
    writeFile("roms/half.zip", ZipBuilder().addFileWithCrc("c.bin", 0xC3).build());
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

    const auto database = IniDocument::parse(readFile("tavrix.ini"));
    EXPECT_EQ(database.readInteger("Game-1", "GameStatus", -1), 2);
    EXPECT_EQ(database.readInteger("Game-2", "GameStatus", -1), 1);
    EXPECT_EQ(database.readInteger("Game-3", "GameStatus", -1), 0);
    EXPECT_EQ(database.readString("Tavrix", "renderer", ""), "renderer-ogl.orv");
    // No hardware renderer file yet: the defaults are written for the stored renderer.
    EXPECT_EQ(readFile("tavrix-renderer.cfg"), kHardwareRendererDefaults);
    EXPECT_FALSE(std::filesystem::exists("tavrix-renderer-sft.cfg"));
    EXPECT_FALSE(std::filesystem::exists("tavrix.bat"));
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
