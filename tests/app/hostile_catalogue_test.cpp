// Databases and archives that nobody would make by hand, through the real window: names that
// are not UTF-8 are shown decoded and written back as the same bytes, and a database that runs
// far past the largest game number fills the list in bounded time.
#include "core/game_database.h"
#include "fixtures/app_fixture.h"
#include "fixtures/zip_builder.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <chrono>

using namespace tavrix::test;
using tavrix::test::ZipMember;

namespace {

QStringList column(QTreeWidget* list, int index) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) out << list->topLevelItem(i)->text(index);
    return out;
}

}  // namespace

TEST(HostileCatalogue, NamesThatAreNotUtf8AreShownAndWrittenBackAsTheyWere) {
    TempDir dir;
    // A Korean title in the legacy code page, a system name in the Western one, and a file
    // name whose bytes no code page knows.
    const std::string game =
        "[Game-1]\r\nGameName=\xC7\xD1\xB1\xDB Fighter\r\nGameManufacturer=\xB0\xA1\r\nSystemName=KX-\xFF\xFE\r\n"
        "RomSetName=set\r\nRom-1=\xFF\x81.bin:0000c0de\r\nRom-2=caf\xE9.bin:00000BAD\r\n\r\n";
    writeFile("tavrix.ini", "[Tavrix]\r\nfirst-startup=0\r\nenglish-version=1\r\n\r\n" + game);
    ZipMember broken;
    broken.name = "dir/\xFF\xC3.bin";  // flagged UTF-8 but not
    broken.utf8Name = true;
    broken.crc = 0xC0DE;
    ZipMember oem;
    oem.name = "caf\x82.bin";  // code page 437
    oem.crc = 0xBAD;
    writeFile("roms/set.zip", ZipBuilder().add(broken).add(oem).build());

    ReportRecorder recorder;
    auto window = startWindow();
    QAbstractItemModel* list = control<QTreeView>(*window, "LV0")->model();
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->index(0, 0).data().toString(), QString::fromUtf8("한글 Fighter"));
    EXPECT_EQ(control<QLabel>(*window, "L1")->text(), QString::fromUtf8("한글 Fighter"));
    EXPECT_EQ(control<QLabel>(*window, "L6")->text(), QString::fromUtf8("KX-ÿþ"));
    EXPECT_EQ(column(control<QTreeWidget>(*window, "LV1"), 0),
              (QStringList{QString::fromUtf8("ÿ\u0081.bin"), QString::fromUtf8("café.bin")}));
    EXPECT_EQ(column(control<QTreeWidget>(*window, "LV2"), 0),
              (QStringList{QString::fromUtf8("\uFFFD\uFFFD.bin"), QString::fromUtf8("café.bin")}));
    EXPECT_EQ(window->model().gameInfo.marks(), (std::vector<bool>{true, true}));  // found by CRC, whatever the names

    // A Save rewrites the file: the game's bytes come back exactly as they were.
    window->model().showPage(1);
    QTest::mouseClick(control<QPushButton>(*window, "B07"), Qt::LeftButton);
    EXPECT_TRUE(recorder.reports.isEmpty()) << recorder.reports.join('|').toStdString();
    const std::string saved = readFile("tavrix.ini");
    EXPECT_NE(saved.find("roms-directory="), std::string::npos);  // the Save did write
    EXPECT_NE(saved.find(game), std::string::npos);
}

TEST(HostileCatalogue, FortyThousandGameSectionsFillTheListInBoundedTime) {
    TempDir dir;
    std::string database = "[Tavrix]\r\nfirst-startup=0\r\nenglish-version=1\r\nsorting-type=10\r\n\r\n";
    database.reserve(4'000'000);
    for (int n = 1; n <= 40'000; ++n)
        database += "[Game-" + std::to_string(n) + "]\r\nGameName=Game " + std::to_string(n) +
                    "\r\nSystemName=KX-" + std::to_string(n % 7) + "\r\nGameYear=" + std::to_string(1980 + n % 30) +
                    "\r\nRomSetName=none\r\nGameStatus=" + std::to_string(n % 3) + "\r\n\r\n";
    writeFile("tavrix.ini", database);

    ReportRecorder recorder;
    const auto start = std::chrono::steady_clock::now();
    auto window = startWindow();
    const auto filled = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(recorder.reports.isEmpty()) << recorder.reports.join('|').toStdString();
    // Game numbers end at the largest the emulator can hold; the sections past it are not games.
    QAbstractItemModel* list = control<QTreeView>(*window, "LV0")->model();
    ASSERT_EQ(list->rowCount(), tavrix::kMaxGameNumber);
    EXPECT_EQ(list->index(0, 0).data().toString(), "Game 1");      // emulator order
    EXPECT_EQ(control<QLabel>(*window, "L1")->text(), "Game 1");  // the first game is selected
    EXPECT_LT(filled, std::chrono::seconds(45));  // about 1 s, 10 s with the sanitizers

    // A Save keeps every section, the ones past the last game included.
    window->model().showPage(1);
    QTest::mouseClick(control<QPushButton>(*window, "B07"), Qt::LeftButton);
    const std::string saved = readFile("tavrix.ini");
    EXPECT_NE(saved.find("[Game-40000]\r\nGameName=Game 40000\r\n"), std::string::npos);
    EXPECT_EQ(saved.size(), database.size() + saved.find("\r\n\r\n[Game-1]") - database.find("\r\n\r\n[Game-1]"));
}
