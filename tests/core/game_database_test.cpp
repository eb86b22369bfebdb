#include "core/game_database.h"

#include <gtest/gtest.h>

using namespace tavrix;

namespace {

IniDocument doc(const std::string& text) {
    return IniDocument::parse(text);
}

}  // namespace

TEST(GameDatabase, RunOfGamesEndsAtFirstNumberWithoutGameName) {
    const auto d = doc(
        "[Game-1]\nGameName=A\n[Game-2]\nGameName=B\n[Game-3]\nGameName=C\n[Game-4]\nGameName=D\n"
        "[Game-5]\nGameName=E\n[Game-7]\nGameName=G\n");
    EXPECT_EQ(countGames(d), 5);
    const auto rows = readGameList(d);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[4].name, "E");
    EXPECT_EQ(rows[4].number, 5);

    // A section without GameName ends the run as a missing section does; an empty GameName
    // does not.
    EXPECT_EQ(countGames(doc("[Game-1]\nGameName=A\n[Game-2]\nGameYear=1990\n[Game-3]\nGameName=C\n")), 1);
    EXPECT_EQ(countGames(doc("[game-1]\ngamename=\n[Game-2]\nGameName=B\n")), 2);
}

TEST(GameDatabase, EmptyDatabaseStillListsGameOne) {
    const auto rows = readGameList(doc("[Tavrix]\nfirst-startup=0\n"));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].number, 1);
    EXPECT_EQ(rows[0].name, " ");
    EXPECT_EQ(rows[0].status, kStatusNeverScanned);
    EXPECT_EQ(countGames(doc("")), 0);
}

TEST(GameDatabase, KeyDefaultsAndValues) {
    const GameRecord blank = readGame(doc("[Game-1]\nGameName=Only\n"), 1);
    EXPECT_EQ(blank.name, "Only");
    EXPECT_EQ(blank.manufacturer, " ");
    EXPECT_EQ(blank.year, " ");
    EXPECT_EQ(blank.systemName, " ");
    EXPECT_EQ(blank.romSetName, "none");
    EXPECT_EQ(blank.parentRomSetName, "none");
    EXPECT_EQ(blank.biosName, "none");
    EXPECT_TRUE(blank.vantrelPlugin);
    EXPECT_EQ(blank.status, 4);
    EXPECT_TRUE(blank.files.empty());

    const GameRecord full = readGame(doc("[Game-2]\nGameName = Star Pilot \nGameManufacturer=Kelso\nGameYear=1994\n"
                                         "SystemName=KX-3\nRomSetName=starp\nParentRomSetName=none\nBiosName=kxbios\n"
                                         "Vantrel-plug-in=0\nGameStatus=2\n"),
                                     2);
    EXPECT_EQ(full.number, 2);
    EXPECT_EQ(full.name, "Star Pilot");
    EXPECT_EQ(full.manufacturer, "Kelso");
    EXPECT_EQ(full.romSetName, "starp");
    EXPECT_EQ(full.biosName, "kxbios");
    EXPECT_FALSE(full.vantrelPlugin);
    EXPECT_EQ(full.status, 2);

    // Any non-zero integer is true; a value that is no integer reads as the default.
    EXPECT_TRUE(readGame(doc("[Game-1]\nVantrel-plug-in=7\n"), 1).vantrelPlugin);
    EXPECT_TRUE(readGame(doc("[Game-1]\nVantrel-plug-in=no\n"), 1).vantrelPlugin);
    EXPECT_EQ(readGameStatus(doc("[Game-1]\nGameStatus=x\n"), 1), 4);
    EXPECT_EQ(readGameStatus(doc("[Game-1]\nGameStatus=0x1\n"), 1), 1);
}

TEST(GameDatabase, FileEntries) {
    const auto files = readGameFiles(doc("[Game-1]\nRom-1=a.bin:0badf00d\nRom-2=noseparator\n"
                                         "Rom-3=b.bin:12:34\nRom-4=disk.chd:disk\nRom-6=late.bin:11111111\n"),
                                     1);
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0], (RomFileEntry{"a.bin", "0BADF00D"}));
    EXPECT_EQ(files[1], (RomFileEntry{"b.bin", "12:34"}));
    EXPECT_EQ(files[2], (RomFileEntry{"disk.chd", "DISK"}));

    // "none" ends the list even when later keys follow.
    EXPECT_EQ(readGameFiles(doc("[Game-1]\nRom-1=a:11111111\nRom-2=none\nRom-3=c:22222222\n"), 1).size(), 1u);
    // An empty name is kept.
    EXPECT_EQ(readGameFiles(doc("[Game-1]\nRom-1=:AAAAAAAA\n"), 1)[0], (RomFileEntry{"", "AAAAAAAA"}));
}

TEST(GameDatabase, WritingStatusKeepsTheRestOfTheFile) {
    IniDocument d = doc("[Tavrix]\nuse-sound=0\n\n[Game-1]\nGameName=A\nRom-1=a:1\n[Game-2]\nGameName=B\nGameStatus=4\n");
    writeGameStatus(d, 1, 2);
    writeGameStatus(d, 2, 0);
    EXPECT_EQ(d.serialize(),
              "[Tavrix]\r\nuse-sound=0\r\n\r\n[Game-1]\r\nGameName=A\r\nRom-1=a:1\r\nGameStatus=2\r\n\r\n"
              "[Game-2]\r\nGameName=B\r\nGameStatus=0\r\n\r\n");
}

TEST(GameDatabase, EmulatorOrderKeyAndArchiveNames) {
    EXPECT_EQ(emulatorOrderKey(1), "01");
    EXPECT_EQ(emulatorOrderKey(9), "09");
    EXPECT_EQ(emulatorOrderKey(10), "10");
    EXPECT_EQ(emulatorOrderKey(1234), "1234");
    EXPECT_EQ(archiveNameOf("starp"), "starp.zip");
    EXPECT_EQ(archiveNameOf("none"), "");
    EXPECT_EQ(archiveNameOf("None"), "None.zip");  // only the exact lower-case literal means none
}
