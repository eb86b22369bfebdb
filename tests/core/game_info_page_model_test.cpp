#include "core/error.h"
#include "core/file_io.h"
#include "core/game_info_page_model.h"
#include "fixtures/temp_dir.h"
#include "fixtures/zip_builder.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tavrix;
using namespace tavrix::test;

namespace {

const char* const kDatabase =
    "[Tavrix]\r\n"
    "[Game-1]\r\nGameName=Parent Match\r\nGameManufacturer=Kelso\r\nGameYear=1994\r\nSystemName=KX-2\r\n"
    "RomSetName=child\r\nParentRomSetName=parent\r\nBiosName=none\r\nVantrel-plug-in=0\r\n"
    "Rom-1=c1.bin:000000c1\r\nRom-2=p1.bin:0000AAAA\r\nRom-3=lost.bin:12345678\r\n"
    "[Game-2]\r\nGameName=Caf\xE9\r\nRomSetName=picset\r\nBiosName=kxbios\r\nRom-1=boot.bin:0000B007\r\n"
    "Rom-2=beside.chd:DISK\r\n"
    "[Game-3]\r\nGameName=Damaged\r\nRomSetName=broken\r\nParentRomSetName=parent\r\nRom-1=p1.bin:0000AAAA\r\n"
    "[Game-4]\r\nGameName=Second\r\nRomSetName=second\r\nRom-1=x.bin:00000001\r\n";

void writeRomsets() {
    writeFile("tavrix.ini", kDatabase);
    writeFile("roms/child.zip", ZipBuilder().addFileWithCrc("c1.bin", 0xC1).build());
    writeFile("roms/parent.zip", ZipBuilder().addFileWithCrc("p/renamed.rom", 0xAAAA).build());
    writeFile("roms/kxbios.zip", ZipBuilder().addFileWithCrc("boot.bin", 0xB007).build());
    writeFile("roms/beside.chd", "image");
    writeFile("roms/broken.zip", "This is not an archive.");
    // Snapshots: game 2 has both (the first wins), game 4 an unreadable first and a readable second.
    writeFile("snap/picset/kxd3d001.bmp", "BM first");
    writeFile("snap/picset/kxogl001.bmp", "BM second");
    writeFile("snap/second/kxd3d001.bmp", "not a picture");
    writeFile("snap/second/kxogl001.bmp", "BM second");
}

// The front end's picture loader: here a file is a picture when it starts as a bitmap does.
bool loadBitmap(const std::string& path) {
    return readFile(path).rfind("BM", 0) == 0;
}

// LV1 as shown: "name=signature" with "[x]" for a mark.
std::string rows(const GameInfoPageModel& page) {
    std::string out;
    for (const auto& file : page.files) out += file.name + "=" + file.signature + (file.found ? " [x] " : " [ ] ");
    return out;
}

}  // namespace

TEST(GameInfoPageModel, FillShowsTitlesRomsetsMarkedFilesAndTheFirstSnapshotThatLoads) {
    TempDir dir;
    writeRomsets();
    struct Case {
        int number;
        const char* titles;  // L1 | L2 | L6
        const char* romsets; // L3 | L4 | L5
        bool vantrel;
        const char* files;
        const char* picture;
        const char* lastMembers;  // LV2
    };
    const Case cases[] = {
        {1, "Parent Match|Kelso   1994|KX-2", "child.zip||parent.zip", false,
         "c1.bin=000000C1 [x] p1.bin=0000AAAA [x] lost.bin=12345678 [ ] ", "", "renamed.rom=0000AAAA"},
        {2, "Caf\u00e9|     | ", "picset.zip|kxbios.zip|", true, "boot.bin=0000B007 [x] beside.chd=DISK [x] ",
         "snap\\picset\\kxd3d001.bmp", "boot.bin=0000B007"},
        {4, "Second|     | ", "second.zip||", true, "x.bin=00000001 [ ] ", "snap\\second\\kxogl001.bmp", ""},
    };
    GameInfoPageModel page;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        page.fill(c.number, "roms", loadBitmap);
        EXPECT_EQ(page.title + "|" + page.makerAndYear + "|" + page.hardware, c.titles);
        EXPECT_EQ(page.mainArchive + "|" + page.biosArchive + "|" + page.parentArchive, c.romsets);
        EXPECT_EQ(page.vantrelPlugin, c.vantrel);
        EXPECT_EQ(rows(page), c.files);
        EXPECT_EQ(page.picturePath, *c.picture ? toNativePath(c.picture) : "");
        EXPECT_EQ(page.panelShown, *c.picture != '\0');
        std::string members;
        for (const auto& member : page.members) members += member.name + "=" + member.signature;
        EXPECT_EQ(members, c.lastMembers);
    }
    // A second fill of the same game rebuilds the rows unmarked before marking them again.
    const unsigned filled = page.filesFilled;
    page.fill(1, "roms", loadBitmap);
    EXPECT_EQ(page.filesFilled, filled + 1);
    EXPECT_EQ(page.marks(), (std::vector<bool>{true, true, false}));
    // Another romset directory finds nothing.
    page.fill(1, "elsewhere", loadBitmap);
    EXPECT_EQ(page.marks(), (std::vector<bool>{false, false, false}));
}

TEST(GameInfoPageModel, ClicksToggleTheViewsDamagedArchivesThrowAndAnEmptyListClearsTheTitles) {
    TempDir dir;
    writeRomsets();
    GameInfoPageModel page;
    // Each step and the view in front afterwards: P1 the snapshot, LV1 the romset view.
    const std::pair<std::function<void()>, const char*> steps[] = {
        {[&] { page.fill(2, "roms", loadBitmap); }, "P1"},
        {[&] { page.L1Click(false); }, "LV1"},
        {[&] {
             page.L1Click(false);
             EXPECT_FALSE(page.romsetShown()) << "hidden, not only covered";
         }, "P1"},
        {[&] { page.L1Click(true); }, "P1"},  // the list is empty: nothing happens
        {[&] { EXPECT_THROW(page.fill(3, "roms", loadBitmap), Error); }, "LV1"},
        {[&] { page.L1Click(false); }, "LV1"},  // no picture: the file list stays
        {[&] { page.clearForEmptyList(); }, "P1"},
    };
    for (const auto& [step, expected] : steps) {
        step();
        EXPECT_EQ(page.panelShown ? "P1" : (page.romsetShown() ? "LV1" : ""), std::string(expected));
    }
    // The damaged main archive left its game unmarked; the empty list cleared the picture and
    // the titles, and the romsets and files stay behind the panel.
    EXPECT_EQ(page.marks(), std::vector<bool>{false});
    EXPECT_EQ(page.title + page.makerAndYear + page.hardware, "");
    EXPECT_FALSE(page.hasPicture());
    EXPECT_EQ(page.mainArchive, "broken.zip");
}
