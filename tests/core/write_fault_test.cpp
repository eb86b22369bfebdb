// A write that fails part-way leaves the old file byte for byte and no temporary file.
#include "core/error.h"
#include "core/file_io.h"
#include "core/ini_document.h"
#include "fixtures/temp_dir.h"
#include "fixtures/write_fault.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

using namespace tavrix;
using namespace tavrix::test;

namespace {
const std::string kOldDatabase = "[Tavrix]\r\nfirst-startup=0\r\n\r\n[Game-1]\r\nGameName=Old\r\n\r\n";
}

TEST(WriteFault, FileSizeLimitBelowTheNewContentKeepsTheOldFile) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows sets no file size limit on a process";
#else
    TempDir dir;
    writeFile("tavrix.ini", kOldDatabase);
    auto document = IniDocument::load("tavrix.ini");
    for (int i = 1; i <= 2000; ++i) document.writeInteger("Game-" + std::to_string(i), "GameStatus", 2);

    const std::string error = failingWriteError(4096, [&] { document.save("tavrix.ini"); });
    EXPECT_EQ(error, "Cannot create file \"tavrix.ini\". File too large");
    EXPECT_EQ(readFile("tavrix.ini"), kOldDatabase);
    EXPECT_EQ(countEntries(), 1u);
#endif
}

TEST(WriteFault, ContentThatFailsWhileItIsMadeKeepsTheOldFile) {
    TempDir dir;
    writeFile("tavrix.ini", kOldDatabase);
    EXPECT_THROW(writeFileAtomically("tavrix.ini",
                                     [](const ByteSink& sink) {
                                         sink("[Tavrix]\r\n");
                                         throw Error("made no further");
                                     }),
                 Error);
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
        EXPECT_EQ(std::string(error.what()), "Cannot create file \"tavrix.ini\". " + kFolderInPlaceReason);
    }
    EXPECT_EQ(countEntries(), 1u);
}

TEST(WriteFault, ReadOnlyDirectoryAndReadOnlyFileKeepTheOldFile) {
    namespace fs = std::filesystem;
    TempDir dir;
    writeFile("locked.ini", kOldDatabase);
    fs::permissions("locked.ini", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(errorAsUnprivilegedUser([] { writeFileAtomically("locked.ini", "new"); }),
              "Cannot create file \"locked.ini\". " + kReadOnlyReason);
    EXPECT_EQ(readFile("locked.ini"), kOldDatabase);
    EXPECT_EQ(countEntries(), 1u);
    // A read-only folder refuses new files only on POSIX systems; on Windows the attribute
    // does not stop them.
    if (kWindows) return;
    fs::permissions(".", fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec);
    fs::create_directory("ro");
    writeFile("ro/tavrix.ini", kOldDatabase);
    fs::permissions("ro", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions("ro/tavrix.ini", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                         fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
    EXPECT_EQ(errorAsUnprivilegedUser([] { writeFileAtomically("ro/tavrix.ini", "new"); }),
              "Cannot create file \"ro/tavrix.ini\". Permission denied");
    EXPECT_EQ(readFile("ro/tavrix.ini"), kOldDatabase);
    EXPECT_EQ(countEntries("ro"), 1u);
}

TEST(WriteFault, ReplacingKeepsTheFileModeAndFollowsSymbolicLinks) {
    if (kWindows) GTEST_SKIP() << "Windows has no POSIX file modes, and symbolic links need a privilege there";
    TempDir dir;
    writeFile("real.ini", kOldDatabase);
    std::filesystem::permissions("real.ini", std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                                 std::filesystem::perms::group_read);
    std::filesystem::create_symlink("real.ini", "tavrix.ini");
    writeFileAtomically("tavrix.ini", "[Tavrix]\r\n\r\n");
    EXPECT_TRUE(std::filesystem::is_symlink("tavrix.ini"));
    EXPECT_EQ(readFile("real.ini"), "[Tavrix]\r\n\r\n");
    struct stat info {};
    ::stat("real.ini", &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}
