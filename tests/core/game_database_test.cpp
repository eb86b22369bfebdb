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

TEST(GameDatabase, ReaderReusingItsRecordGivesWhatReadGameGives) {
    // Games in an order that shrinks and grows every part of the record: many files then
    // fewer, values then defaults, a missing section, odd key spellings, a "none" file.
    auto d = doc(
        "[Game-1]\nGameName=A long name that needs storage of its own\nGameManufacturer=Kelso\nGameYear=1994\n"
        "SystemName=KX\nRomSetName=starp\nParentRomSetName=starpj\nBiosName=kxbios\nVantrel-plug-in=0\n"
        "GameStatus=2\nRom-1=a.bin:0000000a\nRom-2=b.bin:0000000b\nRom-3=c.bin:0000000c\nRom-4=d.chd:disk\n"
        "[Game-2]\nGAMENAME=B\nrom-1=x.bin:abcdef01\nROM-2=none\nRom-3=y.bin:00000001\n"
        "[Game-4]\nGameName=D\nRom-2=late.bin:00000002\nRom-1=first.bin:00000001\nRom-1=dup.bin:00000003\n"
        "[Game-5]\nGameName=E\nRom-1=noseparator\nRom-2=e.bin:0000000e\nGameStatus=x\n");
    // Only a write can put a line break into a key.
    ASSERT_TRUE(d.writeString("Game-5", "Vantrel\rplug\rin", "0"));
    GameReader reader;
    for (int number : {1, 2, 3, 1, 4, 5, 2, 1}) {
        SCOPED_TRACE(number);
        const GameRecord expected = readGame(d, number);
        const GameRecord& got = reader.read(d, number);
        EXPECT_EQ(got.number, number);
        EXPECT_EQ(got.name, expected.name);
        EXPECT_EQ(got.manufacturer, expected.manufacturer);
        EXPECT_EQ(got.year, expected.year);
        EXPECT_EQ(got.systemName, expected.systemName);
        EXPECT_EQ(got.romSetName, expected.romSetName);
        EXPECT_EQ(got.parentRomSetName, expected.parentRomSetName);
        EXPECT_EQ(got.biosName, expected.biosName);
        EXPECT_EQ(got.vantrelPlugin, expected.vantrelPlugin);
        EXPECT_EQ(got.status, expected.status);
        EXPECT_EQ(got.files, expected.files);
        // And both agree with the key-by-key lookups.
        EXPECT_EQ(got.files, readGameFiles(d, number));
        EXPECT_EQ(got.status, readGameStatus(d, number));
    }
    // Spot checks of what the reader must have dropped or kept.
    EXPECT_EQ(reader.read(d, 3).name, " ");
    EXPECT_TRUE(reader.read(d, 3).files.empty());
    EXPECT_EQ(reader.read(d, 2).files, (std::vector<RomFileEntry>{{"x.bin", "ABCDEF01"}}));
    EXPECT_EQ(reader.read(d, 4).files.size(), 2u);
    EXPECT_EQ(reader.read(d, 4).files[0].name, "first.bin");
    const GameRecord& fifth = reader.read(d, 5);
    EXPECT_EQ(fifth.files, (std::vector<RomFileEntry>{{"e.bin", "0000000E"}}));
    EXPECT_EQ(fifth.status, kStatusNeverScanned);
    // A key that differs from Vantrel-plug-in only where a CR stands for "-" is another key.
    EXPECT_TRUE(fifth.vantrelPlugin);
}
