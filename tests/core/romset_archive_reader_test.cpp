#include "core/romset_archive_reader.h"

#include "core/error.h"
#include "fixtures/platform.h"
#include "fixtures/run_command.h"
#include "fixtures/temp_dir.h"
#include "fixtures/zip_builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

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

// The count and the last of the members an archive lists (folders left out); the message of
// one that does not list.
std::string summary(const std::string& bytes) {
    try {
        auto entries = parse(bytes);
        std::erase_if(entries, [](const ArchiveEntry& entry) { return entry.isFolder(); });
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

// A member as a writer on another system records it: `madeBy` in the high byte of "version
// made by", and its attributes.
ZipMember madeOn(std::uint8_t madeBy, std::string name, std::uint32_t attributes, std::string data = "x") {
    ZipMember member;
    member.versionMadeBy = static_cast<std::uint16_t>(madeBy << 8 | 30);
    member.name = std::move(name);
    member.data = std::move(data);
    member.crc = test::crc32Of(member.data);
    member.externalAttributes = attributes;
    return member;
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
    std::filesystem::create_directories("roms/folder.zip");
    const auto openError = [](const char* name) {
        RomsetArchiveReader reader;
        reader.setBaseDir("roms");
        reader.setFileName(reader.pathOf(name));
        try {
            reader.open();
        } catch (const Error& error) {
            return std::string(error.what());
        }
        return std::string("(opened)");
    };
    // A folder in the archive's place.
    EXPECT_EQ(openError("folder.zip"), "Cannot open file \"roms\\folder.zip\". " + test::kFolderInPlaceReason);

    // A file without read permission, opened as a user whom permissions stop: root's tests
    // open it as nobody in a child process. Windows has no mode that keeps a file from being read.
    if (test::kWindows) return;
    std::filesystem::permissions("roms/locked.zip", std::filesystem::perms::none);
    const std::optional<std::string> locked = test::runUnprivileged([&] { return openError("locked.zip"); });
    if (!locked) GTEST_SKIP() << "running as root, and switching to the user nobody failed";
    EXPECT_EQ(*locked, "Cannot open file \"roms\\locked.zip\". Permission denied");
}

TEST(ZipCentralDirectory, ArchivesAsOtherWritersMakeThem) {
    const std::string python = numbered(70000, Zip64Mode::whenNeeded).build();
    ZipLayout forcedLayout;
    const std::string forced = ZipBuilder().setZip64(Zip64Mode::always).addFileWithCrc("a/one.bin", 0xC0FFEE).build(&forcedLayout);
    ZipLayout pairLayout;
    const std::string pair = ZipBuilder().addFileWithCrc("a.bin", 1).addFileWithCrc("b.bin", 2).build(&pairLayout);
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

    // Folders by the writer's system: Unix records its mode (0100775 a file, 040755 a folder)
    // in the high 16 bits and may leave anything in the low byte; MS-DOS and Windows writers
    // record the directory bit 0x10; other systems' attributes are not read.
    constexpr std::uint32_t kUnixFile = 0100775u << 16, kUnixFolder = 040755u << 16;
    const auto archive = [](std::initializer_list<ZipMember> members) {
        ZipBuilder builder;
        for (const ZipMember& member : members) builder.add(member);
        return builder.build();
    };
    const std::string sjis("\x95\x5C", 2);  // a Shift-JIS character whose second byte is "\"

    // Bytes before and after an archive: an end record that points at the local header, a
    // self-extractor's stub with the archive's offsets left as they were.
    std::string fakeEnd("trailing PK\x05\x06", 13);
    fakeEnd += std::string("\0\0\0\0\1\0\1\0\x2E\0\0\0\0\0\0\0\0\0", 18);  // 1 entry, 46 bytes at 0
    const std::string stub = "MZ self-extractor stub " + std::string(300, '\x90');
    std::string brokenDirectory = pair;
    brokenDirectory[pairLayout.centralDirectoryOffset + 46 + 5] = 'X';  // the second header's signature
    const std::string inner = ZipBuilder().addFileWithCrc("inner.bin", 9).build();
    std::string wrappedShort = numbered(65537, Zip64Mode::never).build();
    ZipBuilder::patch16(wrappedShort, wrappedShort.size() - 14, 0);  // 65,537 headers, count 0
    ZipBuilder::patch16(wrappedShort, wrappedShort.size() - 12, 0);
    std::string gap = pair;
    gap.insert(pairLayout.endRecordOffset, "gap before the end record");
    const auto sizePlus = [&](int difference) {
        return patched(pair, pairLayout.endRecordOffset + 12, static_cast<std::uint32_t>(pairLayout.centralDirectorySize + difference));
    };
    std::string longComment = pair;
    ZipBuilder::patch16(longComment, pairLayout.endRecordOffset + 20, 100);  // no comment follows

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
        {"bytes after the archive holding an end record", pair + fakeEnd, "2 b.bin=00000002"},
        {"a whole archive in the comment: the outer one", ZipBuilder().addFileWithCrc("outer.bin", 8).setComment(inner).build(), "1 outer.bin=00000008"},
        {"data before the archive", stub + pair, "2 b.bin=00000002"},
        {"data before a Zip64 archive", stub + forced, "1 one.bin=00C0FFEE"},
        {"data before an archive whose directory is damaged", stub + brokenDirectory, kArchiveNotFoundMessage},
        {"count wrapped to 0", numbered(65536, Zip64Mode::never).build(), "65536 m65535=0000FFFF"},
        {"count wrapped to 1", numbered(65537, Zip64Mode::never).build(), "65537 m65536=00010000"},
        {"more headers than the count, not by a wrap", wrappedShort, kArchiveNotFoundMessage},
        {"a gap before the end record", gap, "2 b.bin=00000002"},
        {"directory size reaching into the end record", sizePlus(10), "2 b.bin=00000002"},
        {"directory size past the file", sizePlus(100), kStreamReadErrorMessage},
        {"directory size short of the last header", sizePlus(-10), kStreamReadErrorMessage},
        {"comment length past the file", longComment, "2 b.bin=00000002"},
        {"Unix file with a stray low byte", archive({madeOn(3, "d/f.bin", kUnixFile | 0xFF)}), "1 f.bin=8CDC1683"},
        {"Unix folder without a slash", archive({madeOn(3, "d", kUnixFolder, ""), madeOn(3, "d/f.bin", kUnixFile)}), "1 f.bin=8CDC1683"},
        {"MS-DOS and NTFS folders without a slash", archive({madeOn(0, "e", 0x10, ""), madeOn(10, "n", 0x10, ""), madeOn(0, "e/g", 0x20)}), "1 g=8CDC1683"},
        {"another system's low byte is not read", archive({madeOn(7, "m.bin", 0x10)}), "1 m.bin=8CDC1683"},
        {"legacy name ending in 0x5C, with data", archive({madeOn(0, "a/" + sjis, 0x20)}), "1 =8CDC1683"},
        {"name ending in a backslash, no data", archive({madeOn(0, "sub\\", 0, ""), madeOn(0, "sub\\g", 0)}), "1 g=8CDC1683"},
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

namespace {

// Archives written by real tools, where they are installed: each lists what Python's zipfile
// lists (names cut after the last separator, CRCs, folders left out) and the members expected.
struct RealWriter {
    const char* name;     // the case
    const char* tool;     // looked for on the PATH
    const char* command;  // run in a folder holding a.bin ("alpha"), d/b.bin ("beta") and stub
    const char* archive;
    std::vector<std::string> expected;
};

void PrintTo(const RealWriter& writer, std::ostream* out) {
    *out << writer.name;
}

class RealArchiveWriters : public ::testing::TestWithParam<RealWriter> {};

std::string crcOf(const char* name, const char* data) {
    return std::string(name) + "=" + crcText(test::crc32Of(data));
}

// Python's listing of an archive in the form `listed` gives, or nothing without python3.
std::optional<std::vector<std::string>> pythonListing(const std::string& archive) {
    if (test::runCommand("command -v python3").empty()) return std::nullopt;
    const std::string out = test::runCommand(
        "python3 -W ignore -c \"import sys, zipfile\n"
        "for i in zipfile.ZipFile(sys.argv[1]).infolist():\n"
        "    n = i.filename\n"
        "    if not n.endswith('/'): print(n[max(n.rfind('/'), n.rfind(chr(92))) + 1:] + '=%08X' % i.CRC)\n\" " + archive);
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = out.find('\n', at)) != std::string::npos; at = end + 1) lines.push_back(out.substr(at, end - at));
    return lines;
}

}  // namespace

TEST_P(RealArchiveWriters, ListWhatPythonLists) {
    const RealWriter& writer = GetParam();
    if (test::kWindows) GTEST_SKIP() << "the archive tools are looked for and run through a POSIX shell";
    if (test::runCommand(std::string("command -v ") + writer.tool).empty()) GTEST_SKIP() << writer.tool << " is not installed";
    test::TempDir dir;
    test::writeFile("a.bin", "alpha");
    test::writeFile("d/b.bin", "beta");
    test::writeFile("stub", "MZ self-extractor stub " + std::string(3000, '\x90'));
    test::runCommand(std::string("{ ") + writer.command + "; } > /dev/null 2>&1");
    const std::vector<std::string> members = listed(writer.archive);
    EXPECT_EQ(members, writer.expected);
    if (const auto python = pythonListing(writer.archive)) {
        EXPECT_EQ(members, *python);
    }
}

namespace {

const std::vector<std::string> kAlphaBeta{crcOf("a.bin", "alpha"), crcOf("b.bin", "beta")};

std::vector<std::string> repeated(std::size_t count, const std::string& member) {
    return std::vector<std::string>(count, member);
}

std::vector<std::string> numberedMembers(int count) {
    std::vector<std::string> members;
    for (int i = 0; i < count; ++i) members.push_back(crcOf(("m" + std::to_string(i)).c_str(), std::to_string(i).c_str()));
    return members;
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(
    Tools, RealArchiveWriters,
    ::testing::Values(
        RealWriter{"InfoZip", "zip", "zip -q -r info.zip a.bin d", "info.zip", kAlphaBeta},
        // Zip64 forced, and a member streamed from standard input (size unknown when written).
        RealWriter{"InfoZipZip64", "zip", "zip -q -fz forced.zip a.bin d d/b.bin", "forced.zip", kAlphaBeta},
        RealWriter{"InfoZipStreamed", "zip", "zip -q streamed.zip - < a.bin", "streamed.zip", {crcOf("-", "alpha")}},
        // A self-extractor: the stub before the archive, its offsets as they were, then adjusted.
        RealWriter{"InfoZipAfterAStub", "zip", "zip -q -r p.zip a.bin d && cat stub p.zip > stubbed.zip", "stubbed.zip", kAlphaBeta},
        RealWriter{"InfoZipAdjusted", "zip", "zip -q -r p.zip a.bin d && cat stub p.zip > sfx.zip && zip -q -A sfx.zip", "sfx.zip", kAlphaBeta},
        // Folder entries with no directory attribute, and no manifest.
        RealWriter{"Jar", "jar", "jar cfM archive.jar a.bin d", "archive.jar", kAlphaBeta},
        RealWriter{"Fastjar", "fastjar", "fastjar cfM archive.jar a.bin d", "archive.jar", kAlphaBeta},
        // 65,537 members with no Zip64 record: the count wraps to 1.
        RealWriter{"FastjarWrappedCount", "fastjar", "yes a.bin | head -n 65537 | fastjar cfM0 many.jar -@", "many.jar",
                   repeated(65537, crcOf("a.bin", "alpha"))},
        RealWriter{"Bsdtar", "bsdtar", "bsdtar --format zip -cf tar.zip a.bin d", "tar.zip", kAlphaBeta},
        RealWriter{"SevenZip", "7zz", "7zz a -tzip seven.zip a.bin d", "seven.zip", kAlphaBeta},
        RealWriter{"PerlArchiveZip", "perl",
                   "perl -MArchive::Zip -e '$z = Archive::Zip->new; $z->addTree(\".\", \"\", sub { /\\.bin$/ }); "
                   "$z->writeToFileNamed(\"perl.zip\")'",
                   "perl.zip", kAlphaBeta},
        RealWriter{"PythonZip64", "python3",
                   "python3 -c \"import zipfile\n"
                   "with zipfile.ZipFile('many.zip', 'w') as z:\n"
                   "    for i in range(65600): z.writestr('m%d' % i, str(i))\n\"",
                   "many.zip", numberedMembers(65600)},
        RealWriter{"PythonForcedZip64", "python3",
                   "python3 -c \"import zipfile\n"
                   "with zipfile.ZipFile('forced.zip', 'w') as z:\n"
                   "    with z.open('a.bin', 'w', force_zip64=True) as f: f.write(b'alpha')\n"
                   "    z.writestr(zipfile.ZipInfo('d/'), b'')\n"
                   "    z.writestr('d/b.bin', b'beta')\n\"",
                   "forced.zip", kAlphaBeta}),
    [](const ::testing::TestParamInfo<RealWriter>& info) { return std::string(info.param.name); });
