#include "core/game_database.h"
#include "core/ini_document_cache.h"
#include "core/romset_archive_reader.h"

#include "fixtures/temp_dir.h"
#include "fixtures/zip_builder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>

using namespace tavrix;
using tavrix::test::ZipBuilder;

namespace {

// Moves the file's modification time by a second, as an edit in the same clock tick would not.
void touchLater(const std::string& path) {
    const auto when = std::filesystem::last_write_time(path);
    std::filesystem::last_write_time(path, when + std::chrono::seconds(1));
}

}  // namespace

TEST(IniDocumentCache, ReusesTheParseUntilTheFileChangesOnDisk) {
    test::TempDir dir;
    test::writeFile("a.ini", "[S]\r\nk=1\r\n");
    IniDocumentCache cache;
    const auto first = cache.load("a.ini");
    const auto second = cache.load("a.ini");
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(cache.parseCount(), 1u);
    EXPECT_EQ(second->readInteger("S", "k", 0), 1);

    // Same size, rewritten in place: the new time makes it a new file.
    test::writeFile("a.ini", "[S]\r\nk=2\r\n");
    touchLater("a.ini");
    EXPECT_EQ(cache.load("a.ini")->readInteger("S", "k", 0), 2);
    EXPECT_EQ(cache.parseCount(), 2u);
    // The document handed out before stays as it was.
    EXPECT_EQ(first->readInteger("S", "k", 0), 1);

    // Replaced by a rename (as the program saves), even within the same clock tick.
    IniDocument changed = *cache.load("a.ini");
    changed.writeInteger("S", "k", 3);
    changed.save("a.ini");
    EXPECT_EQ(cache.load("a.ini")->readInteger("S", "k", 0), 3);
    EXPECT_EQ(cache.parseCount(), 3u);

    // A missing file reads as an empty document, and a new file under the name is read.
    std::filesystem::remove("a.ini");
    EXPECT_FALSE(cache.load("a.ini")->hasSection("S"));
    test::writeFile("a.ini", "[T]\r\n");
    EXPECT_TRUE(cache.load("a.ini")->hasSection("T"));
}

TEST(IniDocumentCache, SameNameInAnotherDirectoryIsAnotherFile) {
    IniDocumentCache cache;
    {
        test::TempDir dir;
        test::writeFile("tavrix.ini", "[S]\r\nk=1\r\n");
        EXPECT_EQ(cache.load("tavrix.ini")->readInteger("S", "k", 0), 1);
    }
    test::TempDir other;
    test::writeFile("tavrix.ini", "[S]\r\nk=2\r\n");
    EXPECT_EQ(cache.load("tavrix.ini")->readInteger("S", "k", 0), 2);
}

TEST(IniDocumentCache, LoadForChangeAndRememberAfterSave) {
    test::TempDir dir;
    test::writeFile("a.ini", "[Other]\r\nx=y\r\n[S]\r\nk=1\r\n");
    IniDocumentCache cache;
    // Held elsewhere: the change works on a copy and leaves the shared one alone.
    const auto held = cache.load("a.ini");
    IniDocument copy = cache.loadForChange("a.ini");
    copy.writeInteger("S", "k", 5);
    EXPECT_EQ(held->readInteger("S", "k", 0), 1);
    EXPECT_EQ(cache.parseCount(), 1u);

    // Saved and remembered: the next load needs no parse and gives what is on disk.
    copy.save("a.ini");
    cache.remember("a.ini", std::move(copy));
    auto after = cache.load("a.ini");
    EXPECT_EQ(cache.parseCount(), 1u);
    EXPECT_EQ(after->readInteger("S", "k", 0), 5);
    EXPECT_EQ(after->serialize(), test::readFile("a.ini"));

    // Nobody else holds it: taken out of the cache, which then reads the file again.
    after.reset();
    IniDocument taken = cache.loadForChange("a.ini");
    EXPECT_EQ(taken.readString("Other", "x", ""), "y");
    taken.writeInteger("S", "k", 6);  // not on disk
    const auto reread = cache.load("a.ini");
    EXPECT_EQ(cache.parseCount(), 2u);
    EXPECT_EQ(reread->readInteger("S", "k", 0), 5);

}

TEST(GameDatabase, OnePassReadAgreesWithKeyByKeyLookups) {
    // Duplicated keys (the first counts), keys in other cases, file keys out of order, keys
    // that only look like file keys, and a gap in the file run.
    const IniDocument d = IniDocument::parse(
        "[Game-1]\nrom-2=b.bin:0000000b\nGAMENAME=First\ngamename=Second\nRom-1=a.bin:0000000a\n"
        "Rom-01=zero.bin:00000000\nRom-+3=plus.bin:00000003\nRom-3=c.bin:0000000c\nRom-3=dup.bin:0000000d\n"
        "Rom-5=late.bin:00000005\nRom-999999999=far.bin:00000009\nGameStatus=1\nGameStatus=2\n"
        "Vantrel-plug-in=0\nRomSetName=main\nbiosname=kx\n"
        "[Game-2]\nGameName=\nRom-1=none\nRom-2=x:00000001\n");
    const GameRecord game = readGame(d, 1);
    EXPECT_EQ(game.name, d.readString("Game-1", "GameName", " "));
    EXPECT_EQ(game.name, "First");
    EXPECT_EQ(game.status, readGameStatus(d, 1));
    EXPECT_EQ(game.status, 1);
    EXPECT_FALSE(game.vantrelPlugin);
    EXPECT_EQ(game.romSetName, "main");
    EXPECT_EQ(game.biosName, "kx");
    EXPECT_EQ(game.parentRomSetName, "none");
    EXPECT_EQ(game.files, readGameFiles(d, 1));
    ASSERT_EQ(game.files.size(), 3u);
    EXPECT_EQ(game.files[2], (RomFileEntry{"c.bin", "0000000C"}));

    // An empty name still belongs to the database; "none" as the first file ends the files.
    const GameRecord second = readGame(d, 2);
    EXPECT_EQ(second.name, "");
    EXPECT_TRUE(second.files.empty());
    EXPECT_EQ(readGameList(d).size(), 2u);
}

TEST(ReadArchiveIfPresent, ExistenceStampListingAndErrorsInOneOpen) {
    test::TempDir dir;
    test::writeFile("roms/a.zip", ZipBuilder().addFolder("f").addFileWithCrc("f/x.bin", 0x1234).build());
    test::writeFile("roms/bad.zip", "plain text");
    std::filesystem::create_directories("roms/folder.zip");

    const ArchiveRead good = readArchiveIfPresent("roms/a.zip", "roms\\a.zip");
    ASSERT_TRUE(good.exists);
    EXPECT_FALSE(good.error);
    ASSERT_EQ(good.entries.size(), 1u);
    EXPECT_EQ(good.entries[0].name, "x.bin");
    EXPECT_EQ(good.entries[0].crc32, 0x1234u);
    ASSERT_TRUE(regularFileStamp("roms/a.zip"));
    EXPECT_EQ(good.stamp, *regularFileStamp("roms/a.zip"));

    const ArchiveRead bad = readArchiveIfPresent("roms/bad.zip", "roms\\bad.zip");
    EXPECT_TRUE(bad.exists);
    EXPECT_EQ(bad.error, std::string(kArchiveNotFoundMessage));

    // Neither a missing file nor a folder is an archive, and neither is an error.
    for (const char* path : {"roms/missing.zip", "roms/folder.zip", "nowhere/a.zip"}) {
        const ArchiveRead none = readArchiveIfPresent(path, path);
        EXPECT_FALSE(none.exists) << path;
        EXPECT_FALSE(none.error) << path;
        EXPECT_FALSE(regularFileStamp(path)) << path;
    }

#ifndef _WIN32
    // A named pipe does not hang the open (Windows has no named pipes in folders).
    ASSERT_EQ(::mkfifo("roms/pipe.zip", 0600), 0);
    EXPECT_FALSE(readArchiveIfPresent("roms/pipe.zip", "roms\\pipe.zip").exists);
#endif
}
