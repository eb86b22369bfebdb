#include "app/controls_page.h"
#include "app/clickable_label.h"
#include "app/game_info_page.h"
#include "app/game_list.h"
#include "app/general_page.h"
#include "fixtures/app_fixture.h"
#include "fixtures/zip_builder.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QHeaderView>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace tavrix::test;

namespace {

// Database of the page tests; roms-directory stays at its default ".\roms".
const char* const kDatabase =
    "[Tavrix]\r\nsorting-type=10\r\n"
    "[Game-1]\r\nGameName=Parent Match\r\nGameManufacturer=Kelso\r\nGameYear=1994\r\nSystemName=KX-2\r\n"
    "RomSetName=child\r\nParentRomSetName=parent\r\nBiosName=none\r\nVantrel-plug-in=0\r\n"
    "Rom-1=c1.bin:000000c1\r\nRom-2=p1.bin:0000AAAA\r\nRom-3=lost.bin:12345678\r\n"
    "[Game-2]\r\nGameName=Disk Game\r\nRomSetName=diskset\r\nBiosName=kxbios\r\n"
    "Rom-1=boot.bin:0000B007\r\nRom-2=beside.chd:DISK\r\nRom-3=folder.chd:DISK\r\nRom-4=absent.chd:DISK\r\n"
    "[Game-3]\r\nGameName=Damaged\r\nRomSetName=broken\r\nParentRomSetName=parent\r\n"
    "Rom-1=p1.bin:0000AAAA\r\nRom-2=beside.chd:DISK\r\n"
    "[Game-4]\r\nGameName=Pictured\r\nRomSetName=picset\r\nRom-1=x.bin:00000001\r\n";

void writeRomsets() {
    writeFile("tavrix.ini", kDatabase);
    writeFile("roms/child.zip", ZipBuilder().addFileWithCrc("c1.bin", 0xC1).build());
    writeFile("roms/parent.zip", ZipBuilder().addFolder("p").addFileWithCrc("p/renamed.rom", 0xAAAA).build());
    writeFile("roms/kxbios.zip", ZipBuilder().addFileWithCrc("boot.bin", 0xB007).build());
    writeFile("roms/beside.chd", "image");
    writeFile("roms/folder/folder.chd", "image");
    writeFile("roms/broken.zip", "This is not an archive.");
}

void writeBitmap(const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(QString::fromStdString(path), "BMP"));
}

void select(TF1& window, int number) {
    for (int i = 0; i < window.LV0->topLevelItemCount(); ++i)
        if (GameList::numberOf(window.LV0->topLevelItem(i)) == number) window.LV0->setCurrentItem(window.LV0->topLevelItem(i));
}

QStringList rows(QTreeWidget* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = list->topLevelItem(i);
        out << row->text(0) + "=" + row->text(1) + (row->checkState(0) == Qt::Checked ? " [x]" : " [ ]");
    }
    return out;
}

}  // namespace

TEST(GameInfoPage, ShowsTheGameAndMarksFilesFoundInTheParentUnderAnotherName) {
    TempDir dir;
    writeRomsets();
    ReportRecorder recorder;
    auto window = startWindow();
    GameInfoPage* page = window->gameInfoPage;
    // Start-up selected game 1 (emulator order, ascending).
    EXPECT_EQ(page->L1->text(), "Parent Match");
    EXPECT_EQ(page->L2->text(), "Kelso   1994");
    EXPECT_EQ(page->L6->text(), "KX-2");
    EXPECT_EQ(page->L3->text(), "child.zip");
    EXPECT_EQ(page->L5->text(), "parent.zip");
    EXPECT_TRUE(page->L4->text().isEmpty());
    // Romset lines top to bottom: main, BIOS, parent.
    EXPECT_LT(page->L3->y(), page->L4->y());
    EXPECT_LT(page->L4->y(), page->L5->y());
    EXPECT_EQ(rows(page->LV1), QStringList({"c1.bin=000000C1 [x]", "p1.bin=0000AAAA [x]", "lost.bin=12345678 [ ]"}));
    EXPECT_FALSE(window->controlsPage->CB21->isChecked());
    // No snapshot: the romset view.
    EXPECT_FALSE(page->P1->isVisible());
    EXPECT_TRUE(page->LV1->isVisible());
    // The hidden list holds the members of the archive listed last (the parent).
    ASSERT_EQ(page->LV2->topLevelItemCount(), 1);
    EXPECT_EQ(page->LV2->topLevelItem(0)->text(0), "renamed.rom");
    EXPECT_EQ(page->LV2->topLevelItem(0)->text(1), "0000AAAA");
    EXPECT_FALSE(page->LV2->isVisible());
    EXPECT_TRUE(recorder.reports.isEmpty());

    // Without a snapshot the toggle keeps the file list.
    QTest::mouseClick(page->L1, Qt::LeftButton);
    EXPECT_TRUE(page->LV1->isVisible());
    EXPECT_FALSE(page->P1->isVisible());

    // File name 230 and signature 74 wide; the file name column stops at 100.
    EXPECT_EQ(page->LV1->columnWidth(0), 230);
    EXPECT_EQ(page->LV1->columnWidth(1), 74);
    page->LV1->header()->resizeSection(0, 40);
    EXPECT_EQ(page->LV1->columnWidth(0), 100);
    page->LV1->header()->resizeSection(0, 150);
    EXPECT_EQ(page->LV1->columnWidth(0), 150);
}

TEST(GameInfoPage, DiskImagesBesideTheArchivesAndInTheirFolder) {
    TempDir dir;
    writeRomsets();
    ReportRecorder recorder;
    auto window = startWindow();
    select(*window, 2);
    GameInfoPage* page = window->gameInfoPage;
    EXPECT_EQ(page->L4->text(), "kxbios.zip");
    EXPECT_TRUE(page->L5->text().isEmpty());
    EXPECT_TRUE(window->controlsPage->CB21->isChecked());
    EXPECT_EQ(page->marks(), (std::vector<bool>{true, true, true, false}));
}

TEST(GameInfoPage, DamagedMainArchiveGivesOneReportAndNoMarks) {
    TempDir dir;
    writeRomsets();
    ReportRecorder recorder;
    auto window = startWindow();
    select(*window, 3);
    ASSERT_EQ(recorder.reports.size(), 1);
    EXPECT_EQ(recorder.reports.front(), "ZF: Archive is damaged. Open failed - Native error: 00048.");
    EXPECT_EQ(window->gameInfoPage->L1->text(), "Damaged");
    // Neither the parent's file nor the disk image beside the archives is marked.
    EXPECT_EQ(window->gameInfoPage->marks(), (std::vector<bool>{false, false}));

    // The reader works again for the next game.
    select(*window, 1);
    EXPECT_EQ(recorder.reports.size(), 1);
    EXPECT_EQ(window->gameInfoPage->marks(), (std::vector<bool>{true, true, false}));
}

TEST(GameInfoPage, SnapshotUnderTheSecondNameAndToggle) {
    TempDir dir;
    writeRomsets();
    // An unreadable picture under the first name falls back to the second.
    writeFile("snap/picset/kxd3d001.bmp", "not a bitmap");
    writeBitmap("snap/picset/kxogl001.bmp");
    ReportRecorder recorder;
    auto window = startWindow();
    select(*window, 4);
    GameInfoPage* page = window->gameInfoPage;
    EXPECT_TRUE(page->hasPicture());
    EXPECT_EQ(page->I1->size(), QSize(320, 240));
    EXPECT_TRUE(page->I1->hasScaledContents());
    EXPECT_TRUE(page->P1->isVisible());

    // Clicking the title shows the file list; clicking the picture's group brings the picture back.
    QTest::mouseClick(page->L1, Qt::LeftButton);
    EXPECT_FALSE(page->P1->isVisible());
    EXPECT_TRUE(page->GB1->isVisible());
    EXPECT_TRUE(page->LV1->isVisible());
    QTest::mouseClick(page->GB1, Qt::LeftButton, {}, QPoint(5, 40));
    EXPECT_TRUE(page->P1->isVisible());
    EXPECT_FALSE(page->LV1->isVisible());
    QTest::mouseClick(page->I1, Qt::LeftButton);
    EXPECT_FALSE(page->P1->isVisible());

    // The next game without a snapshot clears the picture.
    select(*window, 1);
    EXPECT_FALSE(page->hasPicture());
    EXPECT_FALSE(page->P1->isVisible());

    // The first name is preferred when both load.
    writeBitmap("snap/child/kxd3d001.bmp");
    QImage other(10, 10, QImage::Format_RGB32);
    other.fill(Qt::red);
    other.save("snap/child/kxogl001.bmp", "BMP");
    select(*window, 2);
    select(*window, 1);
    ASSERT_TRUE(page->hasPicture());
    EXPECT_EQ(page->I1->pixmap().size(), QSize(64, 48));
    EXPECT_TRUE(recorder.reports.isEmpty());
}

TEST(GameInfoPage, RomsetDirectoryFollowsThePathBoxUnsaved) {
    TempDir dir;
    writeRomsets();
    std::filesystem::rename("roms", "other");
    ReportRecorder recorder;
    auto window = startWindow();
    EXPECT_EQ(window->gameInfoPage->marks(), (std::vector<bool>{false, false, false}));
    window->generalPage->E1->setText("other");
    EXPECT_EQ(window->ZF.baseDir(), "other");
    window->gameInfoPage->fill(1);
    EXPECT_EQ(window->gameInfoPage->marks(), (std::vector<bool>{true, true, false}));
    // An empty path box finds nothing.
    window->generalPage->E1->clear();
    window->gameInfoPage->fill(1);
    EXPECT_EQ(window->gameInfoPage->marks(), (std::vector<bool>{false, false, false}));
}

// A database written on Windows names romsets, disk images, snapshots and the rom path in other
// letter cases than the disk holds them; the page and the scan find them as Windows does.
TEST(GameInfoPage, FillAndScanFindNamesInAnyLetterCase) {
    TempDir dir;
    writeFile("tavrix.ini",
              "[Tavrix]\r\nsorting-type=10\r\nroms-directory=.\\Roms\r\n"
              "[Game-1]\r\nGameName=Astro\r\nRomSetName=AstroLnc\r\nParentRomSetName=AstroPar\r\nBiosName=NeoBios\r\n"
              "Rom-1=a.bin:00000001\r\nRom-2=p.bin:00000002\r\nRom-3=b.bin:00000003\r\nRom-4=Game.CHD:DISK\r\n"
              "[Game-2]\r\nGameName=Twin\r\nRomSetName=Twin\r\nRom-1=t.bin:00000010\r\nRom-2=t.bin:00000030\r\n"
              "[Game-3]\r\nGameName=Exact\r\nRomSetName=twin\r\nRom-1=t.bin:00000010\r\nRom-2=t.bin:00000030\r\n"
              "[Game-4]\r\nGameName=Disc\r\nRomSetName=none\r\nRom-1=Disc.Img:DISK\r\n");
    writeFile("roms/astrolnc.zip", ZipBuilder().addFileWithCrc("a.bin", 1).build());
    writeFile("roms/ASTROPAR.ZIP", ZipBuilder().addFileWithCrc("p.bin", 2).build());
    writeFile("roms/neobios.Zip", ZipBuilder().addFileWithCrc("b.bin", 3).build());
    // Only the case differs: "twin" finds its own, "Twin" the first in byte order.
    writeFile("roms/twin.zip", ZipBuilder().addFileWithCrc("t.bin", 0x30).build());
    writeFile("roms/TWIN.zip", ZipBuilder().addFileWithCrc("t.bin", 0x10).build());
    writeFile("roms/game/game.chd", "image");
    writeFile("roms/DISC.IMG", "image");
    writeBitmap("Snap/ASTROLNC/kxd3d001.BMP");

    ReportRecorder recorder;
    auto window = startWindow();
    GameInfoPage* page = window->gameInfoPage;
    struct Case {
        int number;
        std::vector<bool> marks;
        bool picture;
        int status;
    };
    const Case cases[] = {
        {1, {true, true, true, true}, true, 2},
        {2, {true, false}, false, 1},
        {3, {false, true}, false, 1},
        {4, {true}, false, 2},
    };
    for (const Case& c : cases) {
        select(*window, c.number);
        EXPECT_EQ(page->marks(), c.marks) << c.number;
        EXPECT_EQ(page->hasPicture(), c.picture) << c.number;
    }
    // What is shown and written keeps the database's spelling.
    select(*window, 1);
    EXPECT_EQ(page->L3->text(), "AstroLnc.zip");
    EXPECT_EQ(page->L5->text(), "AstroPar.zip");
    EXPECT_EQ(window->generalPage->E1->text(), ".\\Roms");

    window->scanRomsets();
    for (const Case& c : cases)
        for (int i = 0; i < window->LV0->topLevelItemCount(); ++i)
            if (GameList::numberOf(window->LV0->topLevelItem(i)) == c.number)
                EXPECT_EQ(GameList::statusOf(window->LV0->topLevelItem(i)), c.status) << c.number;
    const std::string saved = readFile("tavrix.ini");
    EXPECT_NE(saved.find("RomSetName=AstroLnc\r\n"), std::string::npos);
    EXPECT_NE(saved.find("roms-directory=.\\Roms\r\n"), std::string::npos);
    EXPECT_TRUE(recorder.reports.isEmpty());
}
