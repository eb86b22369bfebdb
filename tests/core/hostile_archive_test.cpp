// Archives that claim more than they hold: the reader must give its error after reading no more
// than the end record's search window and the directory entries it could check.
#include "core/error.h"
#include "core/romset_archive_reader.h"
#include "fixtures/temp_dir.h"
#include "fixtures/zip_builder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

using namespace tavrix;
using tavrix::test::ZipBuilder;
using tavrix::test::ZipLayout;

namespace {

// Reads a file or a buffer and counts the bytes handed to the reader.
class CountingSource : public ByteSource {
public:
    explicit CountingSource(std::string_view bytes) : memory_(bytes), size_(bytes.size()) {}
    explicit CountingSource(const char* path) : file_(path, std::ios::binary), memory_({}) {
        file_.seekg(0, std::ios::end);
        size_ = static_cast<std::uint64_t>(file_.tellg());
    }
    std::uint64_t size() const override { return size_; }
    bool readAt(std::uint64_t offset, void* buffer, std::size_t length) override {
        if (offset > size_ || length > size_ - offset) return false;
        bytesRead += length;
        ++reads;
        if (!file_.is_open()) return memory_.readAt(offset, buffer, length);
        file_.clear();
        file_.seekg(static_cast<std::streamoff>(offset));
        file_.read(static_cast<char*>(buffer), static_cast<std::streamsize>(length));
        return file_.gcount() == static_cast<std::streamsize>(length);
    }

    std::uint64_t bytesRead = 0;
    int reads = 0;

private:
    std::ifstream file_;
    MemoryByteSource memory_;
    std::uint64_t size_ = 0;
};

std::string errorOf(ByteSource& source) {
    try {
        readZipCentralDirectory(source);
    } catch (const Error& error) {
        return error.what();
    }
    return "(no error)";
}

// An end record (with no comment) that declares the directory's place and entry count.
std::string endRecord(std::uint16_t entries, std::uint32_t directorySize, std::uint32_t directoryOffset) {
    std::string record;
    ZipBuilder::put32(record, 0x06054B50);
    ZipBuilder::put32(record, 0);
    ZipBuilder::put16(record, entries);
    ZipBuilder::put16(record, entries);
    ZipBuilder::put32(record, directorySize);
    ZipBuilder::put32(record, directoryOffset);
    ZipBuilder::put16(record, 0);
    return record;
}

constexpr std::uint64_t kBlock = 65536;  // the reader's directory block

}  // namespace

TEST(HostileArchive, ClaimsThatOutrunTheBytesAreReadErrorsWithinTheFile) {
    // 65,535 entries claimed in a directory of 100 bytes (one header and a 54-byte name).
    ZipLayout layout;
    std::string many = ZipBuilder().addFileWithCrc(std::string(54, 'n'), 1).build(&layout);
    ASSERT_EQ(layout.centralDirectorySize, 100u);
    ZipBuilder::patch16(many, layout.endRecordOffset + 8, 65535);
    ZipBuilder::patch16(many, layout.endRecordOffset + 10, 65535);
    CountingSource manySource(many);
    EXPECT_EQ(errorOf(manySource), "Stream read error");
    EXPECT_LE(manySource.bytesRead, many.size() + 100);

    // The directory's offset, and its offset plus size, past the end of the file: nothing
    // but the end record's window is read.
    for (std::uint32_t offset : {0xFFFFFFF0u, static_cast<std::uint32_t>(many.size()) + 1}) {
        std::string past = ZipBuilder().addFileWithCrc("a.bin", 2).build(&layout);
        ZipBuilder::patch32(past, layout.endRecordOffset + 16, offset);
        CountingSource source(past);
        EXPECT_EQ(errorOf(source), "Stream read error") << offset;
        EXPECT_EQ(source.bytesRead, past.size()) << offset;
    }
    std::string longDirectory = ZipBuilder().addFileWithCrc("a.bin", 2).build(&layout);
    ZipBuilder::patch32(longDirectory, layout.endRecordOffset + 12, 0x7FFFFFFF);
    CountingSource longSource(longDirectory);
    EXPECT_EQ(errorOf(longSource), "Stream read error");
    EXPECT_EQ(longSource.bytesRead, longDirectory.size());

    // A name, an extra field or a comment that runs past the directory's end.
    for (std::size_t field : {28u, 30u, 32u}) {
        std::string longName = ZipBuilder().addFileWithCrc("a.bin", 2).addFileWithCrc("b.bin", 3).build(&layout);
        ZipBuilder::patch16(longName, layout.centralDirectoryOffset + 46 + 5 + field, 65535);
        CountingSource source(longName);
        EXPECT_EQ(errorOf(source), "Stream read error") << field;
        EXPECT_LE(source.bytesRead, 2 * longName.size()) << field;
    }
}

TEST(HostileArchive, TwoHundredMegabytesOfZerosAreRefusedAfterTheEndWindow) {
    test::TempDir dir;
    constexpr std::uint64_t kSize = 200ULL * 1024 * 1024;
    test::writeFile("zeros.zip", "");
    std::filesystem::resize_file("zeros.zip", kSize);  // sparse: no disk space is used
    const auto start = std::chrono::steady_clock::now();
    CountingSource zeros("zeros.zip");
    ASSERT_EQ(zeros.size(), static_cast<std::uint64_t>(kSize));
    EXPECT_EQ(errorOf(zeros), kArchiveNotFoundMessage);
    EXPECT_EQ(zeros.bytesRead, kEndRecordSearchWindow);

    // Through the real file reader too, as the scan opens archives.
    try {
        listArchiveMembers("zeros.zip", "roms\\zeros.zip");
        ADD_FAILURE() << "a file of zeros opened";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), kArchiveNotFoundMessage);
    }

    // And through the scan's look-up, which lists an archive in the same open.
    const ArchiveRead scanned = readArchiveIfPresent("zeros.zip", "roms\\zeros.zip");
    EXPECT_TRUE(scanned.exists);
    EXPECT_TRUE(scanned.entries.empty());
    EXPECT_EQ(scanned.error.value_or("(none)"), kArchiveNotFoundMessage);

    // The same zeros with an end record that declares them all a directory of 65,535 entries:
    // the first header is found wrong after one block, not after reading 200 MB.
    {
        std::ofstream out("zeros.zip", std::ios::binary | std::ios::app);
        out << endRecord(65535, static_cast<std::uint32_t>(kSize), 0);
        ASSERT_TRUE(out.flush());
    }
    CountingSource declared("zeros.zip");
    EXPECT_EQ(errorOf(declared), kArchiveNotFoundMessage);
    EXPECT_LE(declared.bytesRead, kEndRecordSearchWindow + kBlock);

    // A directory of valid headers padded out with zeros: read block by block as far as the
    // headers go, and no further.
    std::string headers;
    for (int i = 0; i < 3000; ++i) {
        std::string one = ZipBuilder().addFileWithCrc("f" + std::to_string(i), static_cast<std::uint32_t>(i)).build(nullptr);
        const std::size_t at = one.find("PK\x01\x02");
        headers += one.substr(at, one.size() - 22 - at);
    }
    test::writeFile("padded.zip", headers);
    std::filesystem::resize_file("padded.zip", kSize);
    {
        std::ofstream out("padded.zip", std::ios::binary | std::ios::app);
        out << endRecord(65535, static_cast<std::uint32_t>(kSize), 0);
        ASSERT_TRUE(out.flush());
    }
    CountingSource padded("padded.zip");
    EXPECT_EQ(errorOf(padded), kArchiveNotFoundMessage);
    EXPECT_LE(padded.bytesRead, kEndRecordSearchWindow + headers.size() + kBlock);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(HostileArchive, DirectoryReadInBlocksStillListsLargeArchivesWhole) {
    // Names long enough that headers straddle block edges, and one name longer than a block.
    ZipBuilder builder;
    for (int i = 0; i < 1500; ++i) builder.addFileWithCrc(std::string(100 + i % 57, static_cast<char>('a' + i % 26)) + std::to_string(i), static_cast<std::uint32_t>(i));
    builder.addFileWithCrc(std::string(65535, 'z'), 0xFEEDu);
    ZipLayout layout;
    const std::string bytes = builder.build(&layout);
    ASSERT_GT(layout.centralDirectorySize, 3 * kBlock);
    CountingSource source(bytes);
    const auto entries = readZipCentralDirectory(source);
    ASSERT_EQ(entries.size(), 1501u);
    for (int i = 0; i < 1500; ++i) {
        EXPECT_EQ(entries[i].name, std::string(100 + i % 57, static_cast<char>('a' + i % 26)) + std::to_string(i));
        EXPECT_EQ(entries[i].crc32, static_cast<std::uint32_t>(i));
    }
    EXPECT_EQ(entries[1500].name.size(), 65535u);
    EXPECT_EQ(entries[1500].crc32, 0xFEEDu);
    // The end window and the directory, each byte once.
    EXPECT_LE(source.bytesRead, kEndRecordSearchWindow + layout.centralDirectorySize);
}

TEST(HostileArchive, ManyEndRecordsAreTriedWithinOneFileSizeMore) {
    // A directory of 1,500 headers, longer than the tail that is searched, then 2,000 end records
    // that each declare it with one header too many: every walk fails only at its end. The first
    // record's error stands, and the records after it read no more than the file's size again.
    ZipBuilder builder;
    for (int i = 0; i < 1500; ++i) builder.addFileWithCrc("f" + std::to_string(i), static_cast<std::uint32_t>(i), "");
    ZipLayout layout;
    std::string bytes = builder.build(&layout);
    ASSERT_GT(layout.centralDirectorySize, 2 * kBlock / 3);
    bytes.resize(layout.endRecordOffset);
    for (int i = 0; i < 2000; ++i)
        bytes += endRecord(1501, static_cast<std::uint32_t>(layout.centralDirectorySize),
                           static_cast<std::uint32_t>(layout.centralDirectoryOffset));
    CountingSource source(bytes);
    EXPECT_EQ(errorOf(source), kStreamReadErrorMessage);
    EXPECT_LE(source.bytesRead, kEndRecordSearchWindow + layout.centralDirectorySize + bytes.size());
}
