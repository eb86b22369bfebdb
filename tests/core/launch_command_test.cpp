#include "core/error.h"
#include "core/launch_command.h"
#include "fixtures/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace tavrix;
using namespace tavrix::test;

namespace {

// The inputs of the second documented example: game 3, sound off, Software, plain controller.
LaunchInputs plainInputs() {
    LaunchInputs in;
    in.gameNumber = 3;
    in.soundOn = false;
    in.renderer = RendererKind::Software;
    in.useRegistrySettings = false;
    in.vantrelPlugin = false;
    in.romPath = ".\\roms";
    in.rotationIndex = 0;
    return in;
}

// The tail every case below shares when only the sound or the rotation changes.
const std::string kPlainTail =
    " --renderer=renderer-sft.orv --use-renderer-cfg-file=tavrix-renderer-sft.cfg"
    " --controller=controller.orv --roms-directory=.\\roms";

struct CommandCase {
    const char* name;
    std::function<void(LaunchInputs&)> change;
    std::string expected;
};

}  // namespace

TEST(LaunchCommand, BuildsTheExactStringForEveryCase) {
    const CommandCase cases[] = {
        {"documented example: everything on",
         [](LaunchInputs& in) {
             in.gameNumber = 12;
             in.soundOn = true;
             in.filterOn = true;
             in.cutoffIndex = 2;
             in.soundEffect = 1;
             in.slowGeometry = true;
             in.renderer = RendererKind::OpenGL;
             in.vantrelPlugin = true;
             in.rotationIndex = 1;
         },
         " 12 --sound-filter-enable=yes --sound-filter-cutoff=22050 --sound-stereo-exciter=yes"
         " --use-slow-geometry=yes --renderer=renderer-ogl.orv --use-renderer-cfg-file=tavrix-renderer.cfg"
         " --controller=controller-vantrel.orv --use-controller-cfg-file=tavrix-controller.cfg"
         " --roms-directory=.\\roms --rotate=1"},
        {"documented example: sound off, software, plain controller", [](LaunchInputs&) {},
         " 3 --use-sound=no --renderer=renderer-sft.orv --use-renderer-cfg-file=tavrix-renderer-sft.cfg"
         " --controller=controller.orv --roms-directory=.\\roms"},
        {"sound off hides the filter and effect whatever they hold",
         [](LaunchInputs& in) {
             in.filterOn = true;
             in.cutoffIndex = 0;
             in.soundEffect = 2;
             in.multiplier = "77";
         },
         " 3 --use-sound=no" + kPlainTail},
        {"sound on without filter or effect passes no sound option", [](LaunchInputs& in) { in.soundOn = true; },
         " 3" + kPlainTail},
        {"lite surround passes the multiplier text",
         [](LaunchInputs& in) {
             in.soundOn = true;
             in.soundEffect = 2;
             in.multiplier = "99";
         },
         " 3 --sound-surround-lite-enable=yes --sound-surround-lite-multiplier=99" + kPlainTail},
        {"the multiplier is passed character for character, even when not a number",
         [](LaunchInputs& in) {
             in.soundOn = true;
             in.soundEffect = 2;
             in.multiplier = "4x";
         },
         " 3 --sound-surround-lite-enable=yes --sound-surround-lite-multiplier=4x" + kPlainTail},
        {"filter at 8000 Hz with stereo exciter",
         [](LaunchInputs& in) {
             in.soundOn = true;
             in.filterOn = true;
             in.cutoffIndex = 0;
             in.soundEffect = 1;
         },
         " 3 --sound-filter-enable=yes --sound-filter-cutoff=8000 --sound-stereo-exciter=yes" + kPlainTail},
        {"filter at 11025 Hz",
         [](LaunchInputs& in) {
             in.soundOn = true;
             in.filterOn = true;
             in.cutoffIndex = 1;
         },
         " 3 --sound-filter-enable=yes --sound-filter-cutoff=11025" + kPlainTail},
        {"filter at 44100 Hz with lite surround",
         [](LaunchInputs& in) {
             in.soundOn = true;
             in.filterOn = true;
             in.cutoffIndex = 3;
             in.soundEffect = 2;
         },
         " 3 --sound-filter-enable=yes --sound-filter-cutoff=44100"
         " --sound-surround-lite-enable=yes --sound-surround-lite-multiplier=40" + kPlainTail},
        {"software with registry settings names no renderer file",
         [](LaunchInputs& in) { in.useRegistrySettings = true; },
         " 3 --use-sound=no --renderer=renderer-sft.orv --controller=controller.orv --roms-directory=.\\roms"},
        {"direct3d uses the hardware renderer file", [](LaunchInputs& in) { in.renderer = RendererKind::Direct3D; },
         " 3 --use-sound=no --renderer=renderer-d3d.orv --use-renderer-cfg-file=tavrix-renderer.cfg"
         " --controller=controller.orv --roms-directory=.\\roms"},
        {"a rom path with blanks is passed without quotes",
         [](LaunchInputs& in) { in.romPath = "C:\\My Games\\arcade roms"; },
         " 3 --use-sound=no --renderer=renderer-sft.orv --use-renderer-cfg-file=tavrix-renderer-sft.cfg"
         " --controller=controller.orv --roms-directory=C:\\My Games\\arcade roms"},
        {"an empty rom path still names the option", [](LaunchInputs& in) { in.romPath.clear(); },
         " 3 --use-sound=no --renderer=renderer-sft.orv --use-renderer-cfg-file=tavrix-renderer-sft.cfg"
         " --controller=controller.orv --roms-directory="},
        {"rotation 180 passes index 2", [](LaunchInputs& in) { in.rotationIndex = 2; },
         " 3 --use-sound=no" + kPlainTail + " --rotate=2"},
        {"rotation 270 passes index 3", [](LaunchInputs& in) { in.rotationIndex = 3; },
         " 3 --use-sound=no" + kPlainTail + " --rotate=3"},
        {"a rotation list without a selection passes no rotation", [](LaunchInputs& in) { in.rotationIndex = -1; },
         " 3 --use-sound=no" + kPlainTail},
        {"hide console does not change the command line", [](LaunchInputs& in) { in.hideConsole = true; },
         " 3 --use-sound=no" + kPlainTail},
        {"large game numbers are written in full", [](LaunchInputs& in) { in.gameNumber = 32767; },
         " 32767 --use-sound=no" + kPlainTail},
    };
    for (const auto& c : cases) {
        LaunchInputs in = plainInputs();
        c.change(in);
        EXPECT_EQ(buildLaunchCommand(in), c.expected) << c.name;
    }
}

TEST(LaunchCommand, BatchFileHoldsOneLineWithProgramNameAndCommand) {
    const std::string command = buildLaunchCommand(plainInputs());
    const std::string expected =
        "orvo.exe 3 --use-sound=no --renderer=renderer-sft.orv --use-renderer-cfg-file=tavrix-renderer-sft.cfg"
        " --controller=controller.orv --roms-directory=.\\roms\r\n";
    EXPECT_EQ(batchFileContents(command), expected);

    TempDir dir;
    writeFile("tavrix.bat", std::string(500, 'x') + "\r\nold second line\r\n");
    writeBatchFile(command);
    EXPECT_EQ(readFile("tavrix.bat"), expected);
    EXPECT_EQ(countEntries(), 1u);  // no temporary file left beside it
}

TEST(LaunchCommand, BatchFileThatCannotBeWrittenThrowsTheSystemReason) {
    TempDir dir;
    std::filesystem::create_directory("tavrix.bat");
    try {
        writeBatchFile(" 1 --use-sound=no");
        FAIL() << "writing over a directory must fail";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Cannot create file \"tavrix.bat\". ", 0), 0u) << error.what();
        EXPECT_GT(std::string(error.what()).size(), std::string("Cannot create file \"tavrix.bat\". ").size());
    }
    EXPECT_TRUE(std::filesystem::is_directory("tavrix.bat"));
}

TEST(LaunchCommand, SplitsLikeAWindowsProgramReadsItsCommandLine) {
    using Args = std::vector<std::string>;
    const struct {
        const char* line;
        Args expected;
    } cases[] = {
        {" 12 --rotate=1", {"12", "--rotate=1"}},
        {"", {}},
        {"   ", {}},
        {" 3 --roms-directory=.\\roms", {"3", "--roms-directory=.\\roms"}},
        {" 3 --roms-directory=C:\\My Games\\roms", {"3", "--roms-directory=C:\\My", "Games\\roms"}},
        {"a  \t b", {"a", "b"}},
        {"trailing\\\\", {"trailing\\\\"}},
        {"\"quoted arg\" x", {"quoted arg", "x"}},
        {"a\"b c\"d", {"ab cd"}},
        {"\"\"", {""}},
        {"\\\"x", {"\"x"}},
        {"\\\\\"x y\"", {"\\x y"}},
        {"\\\\\\\"x", {"\\\"x"}},
        {"\"a\"\"b\"", {"a\"b"}},
        {"\"unterminated quote", {"unterminated quote"}},
    };
    for (const auto& c : cases) EXPECT_EQ(splitCommandLine(c.line), c.expected) << "line: [" << c.line << "]";

    // The documented example splits into the game number first and one argument per option.
    LaunchInputs in = plainInputs();
    in.gameNumber = 12;
    const auto arguments = splitCommandLine(buildLaunchCommand(in));
    ASSERT_EQ(arguments.size(), 6u);
    EXPECT_EQ(arguments.front(), "12");
    EXPECT_EQ(arguments.back(), "--roms-directory=.\\roms");
}
