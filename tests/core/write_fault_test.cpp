// A write that fails part-way leaves the old file byte for byte and no temporary file.
#include "core/error.h"
#include "core/file_io.h"
#include "core/ini_document.h"
#include "fixtures/temp_dir.h"
#include "fixtures/write_fault.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace tavrix;
using namespace tavrix::test;

namespace {
const std::string kOldDatabase = "[Tavrix]\r\nfirst-startup=0\r\n\r\n[Game-1]\r\nGameName=Old\r\n\r\n";
}

TEST(WriteFault, FileSizeLimitBelowTheNewContentKeepsTheOldFile) {
    TempDir dir;
    writeFile("tavrix.ini", kOldDatabase);
    auto document = IniDocument::load("tavrix.ini");
    for (int i = 1; i <= 2000; ++i) document.writeInteger("Game-" + std::to_string(i), "GameStatus", 2);

    const std::string error = failingWriteError(4096, [&] { document.save("tavrix.ini"); });
    EXPECT_EQ(error, "Cannot create file \"tavrix.ini\". File too large");
    EXPECT_EQ(readFile("tavrix.ini"), kOldDatabase);
    EXPECT_EQ(countEntries(), 1u);
}

TEST(WriteFault, DirectoryInPlaceOfTheFileIsReportedAndLeavesNothing) {
    TempDir dir;
    std::filesystem::create_directory("tavrix.ini");
    try {
        writeFileAtomically("tavrix.ini", "x");
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "Cannot create file \"tavrix.ini\". Is a directory");
    }
    EXPECT_EQ(countEntries(), 1u);
}

TEST(WriteFault, ReadOnlyDirectoryAndReadOnlyFileKeepTheOldFile) {
    TempDir dir;
    ::chmod(".", 0755);
    std::filesystem::create_directory("ro");
    writeFile("ro/tavrix.ini", kOldDatabase);
    writeFile("locked.ini", kOldDatabase);
    ::chmod("ro/tavrix.ini", 0666);
    ::chmod("ro", 0555);
    ::chmod("locked.ini", 0444);
    EXPECT_EQ(errorAsUnprivilegedUser([] { writeFileAtomically("ro/tavrix.ini", "new"); }),
              "Cannot create file \"ro/tavrix.ini\". Permission denied");
    EXPECT_EQ(errorAsUnprivilegedUser([] { writeFileAtomically("locked.ini", "new"); }),
              "Cannot create file \"locked.ini\". Permission denied");
    EXPECT_EQ(readFile("ro/tavrix.ini"), kOldDatabase);
    EXPECT_EQ(readFile("locked.ini"), kOldDatabase);
    EXPECT_EQ(countEntries("ro"), 1u);
}

TEST(WriteFault, ReplacingKeepsTheFileModeAndFollowsSymbolicLinks) {
    TempDir dir;
    writeFile("real.ini", kOldDatabase);
    ::chmod("real.ini", 0640);
    std::filesystem::create_symlink("real.ini", "tavrix.ini");
    writeFileAtomically("tavrix.ini", "[Tavrix]\r\n\r\n");
    EXPECT_TRUE(std::filesystem::is_symlink("tavrix.ini"));
    EXPECT_EQ(readFile("real.ini"), "[Tavrix]\r\n\r\n");
    struct stat info {};
    ::stat("real.ini", &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}
