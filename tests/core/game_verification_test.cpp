#include "core/game_verification.h"
#include "core/file_io.h"

#include "fixtures/platform.h"
#include "fixtures/temp_dir.h"
#include "fixtures/zip_builder.h"

#include <gtest/gtest.h>

#include <thread>

using namespace tavrix;
using tavrix::test::ZipBuilder;

namespace {

GameRecord game(std::string main, std::string parent, std::string bios, std::vector<RomFileEntry> files) {
    GameRecord g;
    g.number = 1;
    g.romSetName = std::move(main);
    g.parentRomSetName = std::move(parent);
    g.biosName = std::move(bios);
    g.files = std::move(files);
    return g;
}

std::vector<bool> marks(std::initializer_list<bool> list) {
    return std::vector<bool>(list);
}

// Counts the archives each verification really lists.
class CountingLister : public ArchiveLister {
public:
    std::shared_ptr<const ArchiveListing> list(const std::string& path) override {
        asked.push_back(path);
        return inner.list(path);
    }
    DirectArchiveLister inner;
    std::vector<std::string> asked;
};

}  // namespace

TEST(VerifyGame, MarksFilesByCrcAcrossMainParentAndBios) {
    test::TempDir dir;
    test::writeFile("roms/child.zip", ZipBuilder().addFileWithCrc("c1.bin", 0x000000C1).build());
    // The parent holds a file of the game under another name and in a folder.
    test::writeFile("roms/parent.zip", ZipBuilder().addFolder("x").addFileWithCrc("x/renamed.rom", 0x0000AAAA).build());
    test::writeFile("roms/bios.zip", ZipBuilder().addFileWithCrc("bios.bin", 0xB105B105).build());

    const GameRecord g = game("child", "parent", "bios",
                              {{"c1.bin", "000000C1"}, {"p1.bin", "0000AAAA"}, {"bios.bin", "B105B105"},
                               {"gone.bin", "12345678"}, {"odd.bin", "C1"}, {"twin.bin", "000000C1"}});
    CountingLister lister;
    const GameVerification v = verifyGame(g, ".\\roms", lister);
    EXPECT_EQ(v.marks, marks({true, true, true, false, false, true}));
    EXPECT_FALSE(v.error);
    EXPECT_EQ(v.status(), kStatusFilesMissing);
    EXPECT_EQ(v.foundCount(), 4);
    // Order: main, parent, BIOS; Windows-style paths.
    EXPECT_EQ(lister.asked, (std::vector<std::string>{".\\roms\\child.zip", ".\\roms\\parent.zip", ".\\roms\\bios.zip"}));
    ASSERT_TRUE(v.lastListing);
    ASSERT_EQ(v.lastListing->size(), 1u);
    EXPECT_EQ(v.lastListing->name(0), "bios.bin");

    // The listing is that of the last archive looked at: a BIOS archive that is not there
    // leaves none, even though the main and parent archives were listed.
    const GameVerification noBios = verifyGame(game("child", "parent", "gone", g.files), ".\\roms", lister);
    EXPECT_FALSE(noBios.lastListing);
    EXPECT_EQ(noBios.foundCount(), 3);
}

TEST(VerifyGame, StatusesForFullPartialNoneAndMissingMain) {
    test::TempDir dir;
    test::writeFile("roms/parent.zip", ZipBuilder().addFileWithCrc("a", 1).addFileWithCrc("b", 2).build());
    DirectArchiveLister lister;
    // Main archive missing, parent complete: playable.
    EXPECT_EQ(verifyGame(game("child", "parent", "none", {{"a", "00000001"}, {"b", "00000002"}}), "roms", lister).status(),
              kStatusPlayable);
    EXPECT_EQ(verifyGame(game("parent", "none", "none", {{"a", "00000001"}, {"x", "0000000F"}, {"y", "0000000E"}}), "roms",
                         lister)
                  .status(),
              kStatusFilesMissing);
    EXPECT_EQ(verifyGame(game("nothing", "none", "none", {{"a", "00000001"}}), "roms", lister).status(), kStatusNoneFound);
    // A game without file entries counts as having nothing found.
    EXPECT_EQ(verifyGame(game("parent", "none", "none", {}), "roms", lister).status(), kStatusNoneFound);
    // An empty path box and a missing directory find nothing.
    EXPECT_EQ(verifyGame(game("parent", "none", "none", {{"a", "00000001"}}), "", lister).status(), kStatusNoneFound);
    EXPECT_EQ(verifyGame(game("parent", "none", "none", {{"a", "00000001"}}), "nowhere", lister).status(), kStatusNoneFound);
    // "none" for the main romset lists nothing but still looks for disk images.
    test::writeFile("roms/disc.img", "d");
    EXPECT_EQ(verifyGame(game("none", "none", "none", {{"disc.img", "DISK"}}), "roms", lister).status(), kStatusPlayable);
}

TEST(VerifyGame, DiskImagesBesideTheArchivesOrInTheirFolder) {
    test::TempDir dir;
    test::writeFile("roms/beside.chd", "image");
    test::writeFile("roms/inside/inside.chd", "image");
    test::writeFile("roms/wrong/elsewhere.chd", "image");
    std::filesystem::create_directories("roms/adir.chd");  // a folder is no image
    const GameRecord g = game("main", "none", "none",
                              {{"beside.chd", "DISK"}, {"inside.chd", "disk-1"}, {"elsewhere.chd", "DISK"},
                               {"adir.chd", "DISK"}, {"beside.chd", "00000000"}});
    DirectArchiveLister lister;
    // The game's files were upper-cased by the database reader; "disk-1" is not, so it never matches.
    GameRecord upper = g;
    upper.files[1].signature = "DISK-1";
    EXPECT_EQ(verifyGame(upper, "roms", lister).marks, marks({true, true, false, false, false}));
    EXPECT_EQ(verifyGame(g, "roms", lister).marks, marks({true, false, false, false, false}));
}

TEST(VerifyGame, DamagedArchiveEndsTheVerificationWhereItIsMet) {
    test::TempDir dir;
    test::writeFile("roms/bad.zip", "plain text");
    test::writeFile("roms/good.zip", ZipBuilder().addFileWithCrc("a", 1).build());
    test::writeFile("roms/img.chd", "image");
    DirectArchiveLister lister;
    const std::vector<RomFileEntry> files{{"a", "00000001"}, {"img.chd", "DISK"}};

    // Damaged main: no marks at all, no disk image, later archives not listed.
    CountingLister counting;
    const auto mainBad = verifyGame(game("bad", "good", "none", files), "roms", counting);
    EXPECT_EQ(mainBad.marks, marks({false, false}));
    ASSERT_TRUE(mainBad.error);
    EXPECT_EQ(*mainBad.error, "ZF: Archive is damaged. Open failed - Native error: 00048");
    EXPECT_EQ(counting.asked.size(), 1u);
    EXPECT_EQ(mainBad.status(), kStatusNoneFound);

    // Damaged parent: the main archive's marks and the disk image stay.
    const auto parentBad = verifyGame(game("good", "bad", "none", files), "roms", lister);
    EXPECT_EQ(parentBad.marks, marks({true, true}));
    EXPECT_TRUE(parentBad.error);
}

TEST(CachingArchiveLister, ReusesListingsUntilTheFileChanges) {
    test::TempDir dir;
    test::writeFile("roms/bios.zip", ZipBuilder().addFileWithCrc("a", 1).build());
    test::writeFile("roms/bad.zip", "text");
    CachingArchiveLister cache;
    const auto first = cache.list("roms\\bios.zip");
    const auto second = cache.list("roms\\bios.zip");
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(cache.readCount(), 1u);

    // Errors are kept too.
    EXPECT_TRUE(cache.list("roms\\bad.zip")->error);
    EXPECT_TRUE(cache.list("roms\\bad.zip")->error);
    EXPECT_EQ(cache.readCount(), 2u);

    // A changed file is read again.
    test::writeFile("roms/bios.zip", ZipBuilder().addFileWithCrc("a", 1).addFileWithCrc("b", 2).build());
    const auto third = cache.list("roms\\bios.zip");
    EXPECT_EQ(third->size(), 2u);
    EXPECT_EQ(cache.readCount(), 3u);

    std::filesystem::remove("roms/bios.zip");
    EXPECT_FALSE(cache.list("roms\\bios.zip"));
}

// Databases are written on Windows, where names are found in any letter case.
TEST(VerifyGame, FindsNamesInAnyLetterCaseAsWindowsDoes) {
    if (kFileSystemIgnoresCase)
        GTEST_SKIP() << "the file system finds names in any letter case itself and holds no names that differ only in case";
    test::TempDir dir;
    test::writeFile("roms/astrolnc.zip", ZipBuilder().addFileWithCrc("a", 1).build());
    test::writeFile("roms/parent.ZIP", ZipBuilder().addFileWithCrc("p", 2).build());
    test::writeFile("roms/NEOBIOS.zip", ZipBuilder().addFileWithCrc("b", 3).build());
    // Archives that differ only in case: the exact spelling wins, else the first in byte order.
    test::writeFile("roms/twin.zip", ZipBuilder().addFileWithCrc("t", 0x30).build());
    test::writeFile("roms/Twin.zip", ZipBuilder().addFileWithCrc("t", 0x20).build());
    test::writeFile("roms/TWIN.zip", ZipBuilder().addFileWithCrc("t", 0x10).build());
    test::writeFile("roms/BESIDE.IMG", "image");
    test::writeFile("roms/game/Game.chd", "image");
    test::writeFile("Snap/ASTROLNC/kxogl001.BMP", "picture");

    const std::vector<RomFileEntry> files{{"a", "00000001"},   {"p", "00000002"},      {"b", "00000003"},
                                          {"t", "00000010"},   {"t", "00000020"},      {"t", "00000030"},
                                          {"beside.img", "DISK"}, {"GAME.CHD", "DISK"}};
    struct Case {
        const char* main;
        const char* parent;
        const char* bios;
        std::vector<bool> marks;
    };
    const Case cases[] = {
        {"AstroLnc", "Parent", "NeoBios", {true, true, true, false, false, false, true, true}},
        {"twin", "none", "none", {false, false, false, false, false, true, true, true}},
        {"Twin", "none", "none", {false, false, false, false, true, false, true, true}},
        {"tWIN", "none", "none", {false, false, false, true, false, false, true, true}},
        {"gone", "none", "none", {false, false, false, false, false, false, true, true}},
    };
    CountingLister counting;
    CachingArchiveLister lister(CachingArchiveLister::StampCheck::once);
    for (int pass = 0; pass < 2; ++pass)
        for (const Case& c : cases) {
            const GameRecord g = game(c.main, c.parent, c.bios, files);
            EXPECT_EQ(verifyGame(g, ".\\Roms", lister).marks, c.marks) << c.main;
            EXPECT_EQ(verifyGame(g, ".\\Roms", counting).marks, c.marks) << c.main;
        }
    // The current folder, roms and roms/game, each listed once for the whole pass.
    EXPECT_EQ(lister.paths().foldersListed(), 3u);
    // The paths passed on keep the database's spelling.
    EXPECT_EQ(counting.asked.front(), ".\\Roms\\AstroLnc.zip");

    // Names spelled as on disk cost no listing at all.
    CachingArchiveLister exact(CachingArchiveLister::StampCheck::once);
    EXPECT_EQ(verifyGame(game("astrolnc", "none", "none", {{"a", "00000001"}}), "roms", exact).foundCount(), 1);
    EXPECT_EQ(exact.paths().foldersListed(), 0u);

    // The romset directory as typed, every component in any case; snapshots likewise.
    const std::string here = dir.path().string();
    EXPECT_EQ(resolveRomsetDirectory(".\\Roms"), "./roms");
    EXPECT_EQ(resolveRomsetDirectory("ROMS\\"), "roms");
    EXPECT_EQ(resolveRomsetDirectory(here + "\\Roms\\GAME"), here + "/roms/game");
    EXPECT_EQ(resolveRomsetDirectory("Roms\\astrolnc.zip"), std::nullopt);  // a file, not a folder
    EXPECT_EQ(resolveRomsetDirectory(".\\nowhere"), std::nullopt);
    EXPECT_EQ(resolveRomsetDirectory(""), std::nullopt);
    EXPECT_EQ(PathResolver().resolve("snap\\AstroLnc\\KXOGL001.bmp"), "Snap/ASTROLNC/kxogl001.BMP");
    EXPECT_EQ(PathResolver().resolve("roms\\twin.zip"), "roms/twin.zip");
    EXPECT_EQ(PathResolver().resolve("roms\\TWIN.ZIP"), "roms/TWIN.zip");
    PathResolver paths;
    EXPECT_EQ(existingSnapshots("AstroLnc", paths), (std::vector<std::string>{"Snap/ASTROLNC/kxogl001.BMP"}));
    EXPECT_TRUE(existingSnapshots("gone", paths).empty());
}

// A scan asks a folder's listing, taken once, whether a file may be there before it looks.
TEST(PathResolver, MayExistAnswersFromOneListingOfTheFolder) {
    std::vector<std::string> listed;
    PathResolver paths([&listed](const std::string& folder) -> std::optional<std::vector<std::string>> {
        listed.push_back(folder);
        if (folder != "roms") return std::nullopt;
        return std::vector<std::string>{"Astro.zip", "twin.zip", "\xC3\x9Cn.zip"};
    });
    const struct {
        const char* path;
        bool mayExist;
    } cases[] = {{"roms/astro.zip", true},  {"roms/TWIN.ZIP", true},     {"roms/gone.zip", false},
                 {"roms/twin.zi", false},   {"roms/\xC3\xBCn.zip", true},  // case beyond A to Z: looked at
                 {"nowhere/x.zip", true}};
    for (const auto& [path, mayExist] : cases) EXPECT_EQ(paths.mayExist(path), mayExist) << path;
    EXPECT_EQ(listed, (std::vector<std::string>{"roms", "nowhere"}));
}

TEST(Snapshots, CandidatesInOrderAsNativePaths) {
    EXPECT_EQ(snapshotCandidates("starp"),
              (std::vector<std::string>{test::nativePath("snap/starp/kxd3d001.bmp"),
                                        test::nativePath("snap/starp/kxogl001.bmp")}));
    EXPECT_TRUE(snapshotCandidates("").empty());
    EXPECT_EQ(romsetNameOfArchive("starp.zip"), "starp");
    EXPECT_EQ(romsetNameOfArchive(""), "");
    EXPECT_EQ(romsetArchivesOf(game("m", "none", "b", {})).parent, "");
    EXPECT_EQ(romsetArchivesOf(game("m", "none", "b", {})).bios, "b.zip");
}
