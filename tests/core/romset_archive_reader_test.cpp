#include "core/romset_archive_reader.h"

#include "core/error.h"
#include "fixtures/platform.h"
#include "fixtures/run_command.h"
#include "fixtures/temp_dir.h"
#include "fixtures/zip_builder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tavrix;
using tavrix::test::ZipBuilder;
using tavrix::test::ZipLayout;
using tavrix::test::Zip64Mode;
using tavrix::test::ZipMember;

namespace {

std::vector<ArchiveEntry> parse(const std::string& bytes) {
    MemoryByteSource source(bytes);
    return readZipCentralDirectory(source);
}

std::string errorOf(const std::string& bytes) {
    try {
        parse(bytes);
    } catch (const Error& error) {
        return error.what();
    }
    return "(no error)";
}

// The count and the last entry of an archive that lists; the message of one that does not.
std::string summary(const std::string& bytes) {
    try {
        const auto entries = parse(bytes);
        if (entries.empty()) return "0";
        return std::to_string(entries.size()) + " " + entries.back().name + "=" + crcText(entries.back().crc32);
    } catch (const Error& error) {
        return error.what();
    }
}

// Members "m0", "m1", ... each recording its number as its CRC-32.
ZipBuilder numbered(int members, Zip64Mode mode) {
    ZipBuilder builder;
    builder.setZip64(mode);
    for (int i = 0; i < members; ++i) builder.addFileWithCrc("m" + std::to_string(i), static_cast<std::uint32_t>(i), "");
    return builder;
}

// Names and CRC texts of an archive's members as the scan lists them.
std::vector<std::string> listed(const std::string& path) {
    std::vector<std::string> out;
    for (const ArchiveEntry& entry : listArchiveMembers(path, path)) out.push_back(entry.name + "=" + crcText(entry.crc32));
    return out;
}

// Names and CRC texts the reader yields through its entry search.
std::vector<std::string> yielded(RomsetArchiveReader& reader) {
    std::vector<std::string> out;
    for (auto entry = reader.findFirst("*.*", 47); entry; entry = reader.findNext())
        out.push_back(entry->name + "=" + crcText(entry->crc32));
    return out;
}

}  // namespace

TEST(ZipCentralDirectory, ListsMembersWithTheirRecordedCrcs) {
    const std::string bytes = ZipBuilder()
                                  .addFileWithCrc("prog1.bin", 0x0BADF00D)
                                  .addFileWithCrc("gfx/tiles.bin", 0x00000001, "")
                                  .addFile("README", "hello")
                                  .build();
    const auto entries = parse(bytes);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "prog1.bin");
    EXPECT_EQ(crcText(entries[0].crc32), "0BADF00D");
    EXPECT_EQ(entries[1].name, "tiles.bin");  // folder part dropped
    EXPECT_EQ(crcText(entries[1].crc32), "00000001");
    EXPECT_EQ(entries[2].name, "README");  // no extension
    EXPECT_EQ(entries[2].crc32, 0x3610A686u);  // CRC-32 of "hello"
}

TEST(ZipCentralDirectory, EdgeShapesThatOpen) {
    // Empty archive: only the end record.
    EXPECT_TRUE(parse(ZipBuilder().build()).empty());
    EXPECT_EQ(ZipBuilder().build().size(), 22u);

    // A comment of several hundred bytes, and the longest comment the format allows.
    const auto commented = parse(ZipBuilder().addFileWithCrc("a", 5).setComment(std::string(700, 'c')).build());
    ASSERT_EQ(commented.size(), 1u);
    EXPECT_EQ(commented[0].crc32, 5u);
    EXPECT_EQ(parse(ZipBuilder().addFileWithCrc("a", 6).setComment(std::string(65535, 'c')).build())[0].crc32, 6u);

    // A comment that itself contains an end-record signature near the end is not taken for
    // the record when fewer than 22 bytes follow it.
    EXPECT_EQ(parse(ZipBuilder().addFileWithCrc("a", 7).setComment(std::string("xxxxPK\x05\x06", 8)).build()).size(), 1u);

    // Backslash separators are cut too; member data damaged does not matter.
    std::string damagedData = ZipBuilder().addFileWithCrc("dir\\sub\\x.bin", 9, "abcdef").build();
    damagedData[30 + 13] = '?';  // inside the member data
    EXPECT_EQ(parse(damagedData)[0].name, "x.bin");
}

TEST(ZipCentralDirectory, NameDecoding) {
    ZipMember utf8;
    utf8.name = "\xEA\xB2\x8C\xEC\x9E\x84.bin";  // Korean "game" in UTF-8
    utf8.utf8Name = true;
    utf8.crc = 1;
    ZipMember oem;
    oem.name = "caf\x82.bin";  // code page 437 e-acute
    oem.crc = 2;
    ZipMember broken;
    broken.name = "a\xFF.bin";
    broken.utf8Name = true;
    const auto entries = parse(ZipBuilder().add(utf8).add(oem).add(broken).build());
    EXPECT_EQ(entries[0].name, "\xEA\xB2\x8C\xEC\x9E\x84.bin");
    EXPECT_EQ(entries[1].name, "caf\xC3\xA9.bin");
    EXPECT_EQ(entries[2].name, "a\xEF\xBF\xBD.bin");
    EXPECT_EQ(decodeArchiveName("\xE1\xFF", false), "\xC3\x9F\xC2\xA0");
}

TEST(ZipCentralDirectory, DamagedArchivesGiveTheExactMessages) {
    EXPECT_EQ(errorOf("This is a plain text file named like an archive.\r\n"),
              "ZF: Archive is damaged. Open failed - Native error: 00048");
    EXPECT_EQ(errorOf(""), "ZF: Archive is damaged. Open failed - Native error: 00048");

    ZipLayout layout;
    const std::string good = ZipBuilder().addFileWithCrc("a.bin", 1, "0123456789").addFileWithCrc("b.bin", 2).build(&layout);

    // Cut inside the end record: no record left to find.
    EXPECT_EQ(errorOf(good.substr(0, good.size() - 5)), "ZF: Archive is damaged. Open failed - Native error: 00048");

    // The directory declared larger than the bytes that follow its offset: the file ends inside it.
    std::string truncated = good;
    ZipBuilder::patch32(truncated, layout.endRecordOffset + 12, static_cast<std::uint32_t>(good.size()));
    EXPECT_EQ(errorOf(truncated), "Stream read error");

    // An offset far past the end of the file.
    std::string farOffset = good;
    ZipBuilder::patch32(farOffset, layout.endRecordOffset + 16, 0xFFFFFFF0u);
    EXPECT_EQ(errorOf(farOffset), "Stream read error");

    // More entries declared than the directory holds.
    std::string moreEntries = good;
    ZipBuilder::patch16(moreEntries, layout.endRecordOffset + 8, 3);
    ZipBuilder::patch16(moreEntries, layout.endRecordOffset + 10, 3);
    EXPECT_EQ(errorOf(moreEntries), "Stream read error");

    // A name length running past the directory.
    std::string longName = good;
    ZipBuilder::patch16(longName, layout.centralDirectoryOffset + 28, 60000);
    EXPECT_EQ(errorOf(longName), "Stream read error");

    // A header that is not a central directory header.
    std::string badSignature = good;
    badSignature[layout.centralDirectoryOffset] = 'X';
    EXPECT_EQ(errorOf(badSignature), "ZF: Archive is damaged. Open failed - Native error: 00048");

    // Compressed sizes adding up to more than the file.
    ZipMember huge;
    huge.name = "big.bin";
    huge.compressedSizeOverride = 0xFFFFFFFFu;
    const std::string tooBig = ZipBuilder().add(huge).add(huge).build();
    EXPECT_EQ(errorOf(tooBig), "Archive is damaged. Open failed - Native error: 00057");
    ZipMember exact;
    exact.name = "x";
    const std::string fits = ZipBuilder().add(exact).build();
    exact.compressedSizeOverride = static_cast<std::uint32_t>(fits.size());
    EXPECT_EQ(parse(ZipBuilder().add(exact).build()).size(), 1u);  // equal to the size is fine

    // Split archives do not occur; they are reported as damaged.
    std::string split = good;
    ZipBuilder::patch16(split, layout.endRecordOffset + 4, 1);
    EXPECT_EQ(errorOf(split), "ZF: Archive is damaged. Open failed - Native error: 00048");
}

TEST(ZipCentralDirectory, MaskMatching) {
    EXPECT_TRUE(matchesMask("README", "*.*"));
    EXPECT_TRUE(matchesMask("", "*.*"));
    EXPECT_TRUE(matchesMask("prog.BIN", "*.bin"));
    EXPECT_FALSE(matchesMask("prog.bi", "*.bin"));
    EXPECT_TRUE(matchesMask("a1.bin", "a?.*"));
    EXPECT_FALSE(matchesMask("a12.bin", "a?.bin"));
    EXPECT_TRUE(matchesMask(std::string(5000, 'a') + "b", "*a*a*b"));
}

TEST(RomsetArchiveReader, WalksEntriesSkippingFoldersAndReopens) {
    test::TempDir dir;
    test::writeFile("roms/set.zip", ZipBuilder()
                                        .addFolder("sub")
                                        .addFileWithCrc("sub/one.bin", 0x11111111)
                                        .addFileWithCrc("sub/two", 0xAB)
                                        .build());
    test::writeFile("roms/text.zip", "not an archive");
    test::writeFile("roms/empty.zip", ZipBuilder().build());

    RomsetArchiveReader reader;
    reader.setBaseDir(".\\roms");
    EXPECT_FALSE(reader.isOpen());
    reader.close();  // safe with nothing open

    reader.setFileName(reader.pathOf("missing.zip"));
    EXPECT_EQ(reader.fileName(), ".\\roms\\missing.zip");
    EXPECT_FALSE(reader.exists());

    reader.setFileName(reader.pathOf("set.zip"));
    ASSERT_TRUE(reader.exists());
    reader.open();
    EXPECT_EQ(yielded(reader), (std::vector<std::string>{"one.bin=11111111", "two=000000AB"}));
    // With the directory bit allowed the folder entry is yielded too.
    EXPECT_EQ(reader.findFirst("*.*", 63)->name, "");
    reader.close();

    reader.setFileName(reader.pathOf("text.zip"));
    try {
        reader.open();
        FAIL() << "plain text opened";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "ZF: Archive is damaged. Open failed - Native error: 00048");
    }
    EXPECT_FALSE(reader.isOpen());
    EXPECT_FALSE(reader.findFirst());

    reader.setFileName(reader.pathOf("empty.zip"));
    reader.open();
    EXPECT_TRUE(reader.isOpen());
    EXPECT_FALSE(reader.findFirst());

    // A folder named like an archive is no file.
    std::filesystem::create_directories("roms/folder.zip");
    reader.setFileName(reader.pathOf("folder.zip"));
    EXPECT_FALSE(reader.exists());
}

TEST(RomsetArchiveReader, UnreadableFileGivesTheOpenError) {
    test::TempDir dir;
    test::writeFile("roms/locked.zip", ZipBuilder().build());
    RomsetArchiveReader reader;
    reader.setBaseDir("roms");
    reader.setFileName(reader.pathOf("locked.zip"));
    if (!test::readPermissionsApply()) {
        // Permissions do not stop root, nor exist on Windows; a folder in the archive's place
        // fails the same way.
        std::filesystem::remove("roms/locked.zip");
        std::filesystem::create_directories("roms/locked.zip");
        EXPECT_THROW(reader.open(), Error);
        try {
            reader.open();
        } catch (const Error& error) {
            EXPECT_EQ(std::string(error.what()), "Cannot open file \"roms\\locked.zip\". " + test::kFolderInPlaceReason);
        }
        return;
    }
    std::filesystem::permissions("roms/locked.zip", std::filesystem::perms::none);
    try {
        reader.open();
        FAIL() << "opened a file without read permission";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file \"roms\\locked.zip\". Permission denied");
    }
}

TEST(ZipCentralDirectory, ArchivesAsOtherWritersMakeThem) {
    const std::string python = numbered(70000, Zip64Mode::whenNeeded).build();
    ZipLayout forcedLayout;
    const std::string forced = ZipBuilder().setZip64(Zip64Mode::always).addFileWithCrc("a/one.bin", 0xC0FFEE).build(&forcedLayout);
    const std::string pair = ZipBuilder().addFileWithCrc("a.bin", 1).addFileWithCrc("b.bin", 2).build();
    std::string forgedEnd("PK\x05\x06", 4);
    forgedEnd += std::string(18, '\0');  // an empty archive's end record, then more comment

    // Damaged Zip64 shapes.
    const auto patched = [](std::string bytes, std::size_t at, std::uint32_t value) {
        ZipBuilder::patch32(bytes, at, value);
        return bytes;
    };
    ZipLayout zip64Layout;
    const std::string smallZip64 = numbered(3, Zip64Mode::always).build(&zip64Layout);
    ZipMember huge;
    huge.name = "huge.bin";
    huge.compressedSizeOverride = 0x100000000ull;  // low 32 bits zero: the sum needs all 64

    const struct {
        const char* what;
        std::string bytes;
        std::string expected;
    } cases[] = {
        {"Python-like Zip64, 70,000 members", python, "70000 m69999=0001116F"},
        {"forced Zip64, one member", forced, "1 one.bin=00C0FFEE"},
        {"forced Zip64, three members", smallZip64, "3 m2=00000002"},
        {"an end record inside the comment", ZipBuilder().addFileWithCrc("a.bin", 1).addFileWithCrc("b.bin", 2).setComment(forgedEnd + "tail").build(),
         "2 b.bin=00000002"},
        {"bytes after the archive", pair + "trailing bytes", "2 b.bin=00000002"},
        {"count wrapped to 0", numbered(65536, Zip64Mode::never).build(), kArchiveNotFoundMessage},
        {"count wrapped to 1", numbered(65537, Zip64Mode::never).build(), kArchiveNotFoundMessage},
        {"Zip64 count short of the headers", patched(patched(smallZip64, zip64Layout.zip64EndRecordOffset + 24, 2), zip64Layout.zip64EndRecordOffset + 32, 2),
         kArchiveNotFoundMessage},
        {"locator pointing at no Zip64 record", patched(forced, forcedLayout.zip64LocatorOffset + 8, 0), kArchiveNotFoundMessage},
        {"Zip64 extra field too short", patched(forced, forcedLayout.centralDirectoryOffset + 46 + 9, 0x00080001), kArchiveNotFoundMessage},
        {"Zip64 directory past the file", patched(forced, forcedLayout.zip64EndRecordOffset + 52, 1), kStreamReadErrorMessage},
        {"64-bit compressed size", ZipBuilder().setZip64(Zip64Mode::always).add(huge).build(), kArchiveSizesMessage},
    };
    for (const auto& c : cases) EXPECT_EQ(summary(c.bytes), c.expected) << c.what;
}

TEST(RomsetArchiveReader, FolderNamesAreFoldersOnEveryPath) {
    // As jar and bsdtar write them: "name/" (or "name\") with no directory attribute.
    test::TempDir dir;
    ZipMember slash;
    slash.name = "META-INF/";
    slash.externalAttributes = 0;
    ZipMember backslash;
    backslash.name = "sub\\";
    backslash.externalAttributes = 0;
    test::writeFile("roms/jar.zip", ZipBuilder()
                                        .add(slash)
                                        .addFileWithCrc("META-INF/MANIFEST.MF", 0x1234)
                                        .add(backslash)
                                        .addFileWithCrc("sub\\x.bin", 0)
                                        .build());
    const std::vector<std::string> expected{"MANIFEST.MF=00001234", "x.bin=00000000"};

    RomsetArchiveReader reader;
    reader.setBaseDir("roms");
    reader.setFileName(reader.pathOf("jar.zip"));
    reader.open();
    EXPECT_EQ(yielded(reader), expected);
    EXPECT_EQ(listed("roms/jar.zip"), expected);
    std::vector<std::string> scanned;
    for (const ArchiveEntry& entry : readArchiveIfPresent("roms/jar.zip", "roms\\jar.zip").entries)
        scanned.push_back(entry.name + "=" + crcText(entry.crc32));
    EXPECT_EQ(scanned, expected);
}

// Archives written by real tools, when they are installed: the members of each, listed.
TEST(RealArchiveWriters, PythonZipfile) {
    if (test::kWindows) GTEST_SKIP() << "the archive tools are looked for and run through a POSIX shell";
    if (test::runCommand("command -v python3").empty()) GTEST_SKIP() << "python3 is not installed";
    test::TempDir dir;
    test::runCommand(
        "python3 -c \"import zipfile\n"
        "with zipfile.ZipFile('many.zip', 'w') as z:\n"
        "    for i in range(65600): z.writestr('m%d' % i, str(i))\n"
        "with zipfile.ZipFile('forced.zip', 'w') as z:\n"
        "    with z.open('a.bin', 'w', force_zip64=True) as f: f.write(b'alpha')\n"
        "    z.writestr(zipfile.ZipInfo('d/'), b'')\n"
        "    z.writestr('d/b.bin', b'beta')\n\"");
    const auto many = listed("many.zip");
    ASSERT_EQ(many.size(), 65600u);
    EXPECT_EQ(many.back(), "m65599=" + crcText(test::crc32Of("65599")));
    EXPECT_EQ(listed("forced.zip"),
              (std::vector<std::string>{"a.bin=" + crcText(test::crc32Of("alpha")), "b.bin=" + crcText(test::crc32Of("beta"))}));
}

TEST(RealArchiveWriters, InfoZipAndJar) {
    if (test::kWindows) GTEST_SKIP() << "the archive tools are looked for and run through a POSIX shell";
    const bool zip = !test::runCommand("command -v zip").empty();
    const bool jar = !test::runCommand("command -v jar").empty();
    if (!zip && !jar) GTEST_SKIP() << "neither zip nor jar is installed";
    test::TempDir dir;
    test::writeFile("a.bin", "alpha");
    test::writeFile("d/b.bin", "beta");
    const std::vector<std::string> expected{"a.bin=" + crcText(test::crc32Of("alpha")), "b.bin=" + crcText(test::crc32Of("beta"))};
    if (zip) {
        // Zip64 forced, and a member streamed from standard input (size unknown when written).
        test::runCommand("zip -q -fz forced.zip a.bin d d/b.bin && zip -q streamed.zip - < a.bin");
        EXPECT_EQ(listed("forced.zip"), expected);
        EXPECT_EQ(listed("streamed.zip"), (std::vector<std::string>{"-=" + crcText(test::crc32Of("alpha"))}));
    }
    if (jar) {
        // Folder entries with no directory attribute, and no manifest.
        test::runCommand("jar cfM archive.jar a.bin d");
        EXPECT_EQ(listed("archive.jar"), expected);
    }
}
