#include "core/controller_config.h"
#include "core/error.h"
#include "core/ini_document.h"
#include "fixtures/fresh_controller_file.h"
#include "fixtures/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tavrix;
using tavrix::test::readFile;
using tavrix::test::TempDir;
using tavrix::test::writeFile;

namespace {

using Captions = std::array<std::string, kControllerLabelCount>;
// L21 .. L34: buttons 1-6, up, down, left, right, coin, start, test, services.
const Captions kPlayer1Captions = {"T", "Y", "U", "F", "G", "H", "W", "S", "A", "D", "1", "5", "F3", "F2"};

class ControllerConfig : public ::testing::Test {
protected:
    TempDir dir;
    InputNameTable names{true};
    ControllerPageState state;
};

}  // namespace

TEST_F(ControllerConfig, FirstUseWritesBothPlayersAndShowsPlayer1) {
    state.player = 1;
    loadControllerConfig(state, names);
    EXPECT_EQ(readFile(kControllerConfigFileName), tavrix::test::kFreshControllerFile);
    EXPECT_EQ(state.player, 0);
    EXPECT_EQ(state.captions, kPlayer1Captions);
    EXPECT_FALSE(state.useMM);

    // Reading the written file back gives the same page for either language's names.
    ControllerPageState reread;
    loadControllerConfig(reread, names);
    EXPECT_EQ(reread.captions, kPlayer1Captions);
    reread.player = 1;
    loadControllerConfig(reread, names);
    EXPECT_EQ(reread.captions[L31], "joy1 button 7");
    EXPECT_EQ(reread.captions[L32], "joy1 button 9");
    EXPECT_EQ(reread.captions[L27], "joy1 up");
    EXPECT_EQ(reread.captions[L33], "F3");
}

TEST_F(ControllerConfig, FirstUseInKoreanWritesTheSameTokens) {
    const InputNameTable korean(false);
    loadControllerConfig(state, korean);
    EXPECT_EQ(readFile(kControllerConfigFileName), tavrix::test::kFreshControllerFile);
}

TEST_F(ControllerConfig, CheckedBoxGoesToBothFreshPlayers) {
    state.useMM = true;
    loadControllerConfig(state, names);
    const auto doc = IniDocument::load(kControllerConfigFileName);
    EXPECT_EQ(doc.readString("player1", "useMM", ""), "1");
    EXPECT_EQ(doc.readString("player2", "useMM", ""), "1");
}

TEST_F(ControllerConfig, EmptyGeneralSectionCountsAsFirstUse) {
    writeFile(kControllerConfigFileName, "[general]\r\n[player1]\r\ncoin=k3b\r\nkeep=me\r\n");
    loadControllerConfig(state, names);
    EXPECT_EQ(state.captions[L31], "1");
    const auto doc = IniDocument::load(kControllerConfigFileName);
    EXPECT_EQ(doc.readString("player1", "coin", ""), "k02");
    EXPECT_EQ(doc.readString("player1", "keep", ""), "me");
    EXPECT_EQ(doc.readString("player2", "coin", ""), "j1b7");
}

TEST_F(ControllerConfig, MissingKeysShowEscapeAndUnknownValuesKeepTheCaption) {
    writeFile(kControllerConfigFileName,
              "[general]\r\nnoerror=1\r\n[all]\r\ntest=K3D\r\nservices=kc8\r\n"
              "[player1]\r\ncoin=\r\nstart=j2b12\r\nup=nonsense\r\nuseMM=0x1\r\n");
    state.captions.fill("before");
    loadControllerConfig(state, names);
    EXPECT_EQ(state.captions[L33], "before");  // upper-case token matches nothing
    EXPECT_EQ(state.captions[L34], "up");
    EXPECT_EQ(state.captions[L31], "");        // empty value: empty label
    EXPECT_EQ(state.captions[L32], "joy2 button 12");
    EXPECT_EQ(state.captions[L27], "before");
    EXPECT_EQ(state.captions[L28], "escape");  // missing key
    EXPECT_EQ(state.captions[L21], "escape");
    EXPECT_TRUE(state.useMM);

    // Player 2 has no section: every input shows escape and the box is unchecked.
    state.player = 1;
    loadControllerConfig(state, names);
    for (int label = L21; label <= L32; ++label) EXPECT_EQ(state.captions[label], "escape") << label;
    EXPECT_FALSE(state.useMM);
    for (const char* bad : {"yes", "", "1x"}) {
        writeFile(kControllerConfigFileName, std::string("[general]\r\na=1\r\n[player2]\r\nuseMM=") + bad + "\r\n");
        state.useMM = true;
        loadControllerConfig(state, names);
        EXPECT_FALSE(state.useMM) << bad;
    }
}

TEST_F(ControllerConfig, EmptyCoinRoundTrips) {
    loadControllerConfig(state, names);
    state.captions[L31] = "";
    saveControllerConfig(state, names);
    const std::string saved = readFile(kControllerConfigFileName);
    EXPECT_NE(saved.find("[player1]\r\nuseMM=0\r\ncoin=\r\n"), std::string::npos) << saved;
    state.captions[L31] = "W";
    loadControllerConfig(state, names);
    EXPECT_EQ(state.captions[L31], "");
    saveControllerConfig(state, names);
    EXPECT_EQ(readFile(kControllerConfigFileName), saved);
}

TEST_F(ControllerConfig, SaveKeepsWhatItDoesNotWrite) {
    loadControllerConfig(state, names);
    writeFile(kControllerConfigFileName,
              readFile(kControllerConfigFileName) + "[extra]\r\n; comment\r\nx = 1\r\n");
    const std::string player2Before = IniDocument::load(kControllerConfigFileName).serialize();

    state.captions[L27] = kCaptureMarker;  // up is waiting for a key
    state.captions[L21] = "numpad 7";
    state.captions[L33] = "joy2 right";
    state.useMM = true;
    saveControllerConfig(state, names);

    const auto doc = IniDocument::load(kControllerConfigFileName);
    EXPECT_EQ(doc.readString("player1", "up", ""), "k11");   // the marker's key keeps its value
    EXPECT_EQ(doc.readString("player1", "btn1", ""), "k47");
    EXPECT_EQ(doc.readString("player1", "btn9", ""), "k47");  // mirrors btn1
    EXPECT_EQ(doc.readString("player1", "btn13", ""), "k22");
    EXPECT_EQ(doc.readString("player1", "useMM", ""), "1");
    EXPECT_EQ(doc.readString("all", "test", ""), "j2right");
    EXPECT_EQ(doc.readString("extra", "x", ""), "1");
    EXPECT_EQ(doc.readString("general", "output", ""), "\"controller-status.txt\"");
    // Player 2 is untouched.
    const auto before = IniDocument::parse(player2Before);
    for (const std::string& key : before.keys("player2"))
        EXPECT_EQ(doc.readString("player2", key, "?"), before.readString("player2", key, "!")) << key;
    EXPECT_EQ(doc.keys("player2"), before.keys("player2"));
}

TEST_F(ControllerConfig, FailedFirstWriteLeavesThePageAsItWas) {
    // A directory in the file's place cannot be replaced by a file.
    std::filesystem::create_directory(kControllerConfigFileName);
    state.captions.fill("old");
    EXPECT_THROW(loadControllerConfig(state, names), Error);
    EXPECT_EQ(state.player, 0);
    EXPECT_EQ(state.captions[L31], "old");
}
