// What the Qt list and Game Info page draw themselves: each entry's icon from the image list,
// before and after a scan; the file list's columns; the picture loader that takes a snapshot
// file (or refuses one it cannot read) into I1, stretched to 320 x 240.
#include "app/game_list.h"
#include "fixtures/app_fixture.h"
#include "fixtures/romset_cases.h"

#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace tavrix;
using namespace tavrix::test;

namespace {

// Every entry shows the image of its status; a status without an image shows none.
void expectIconsOfTheirStatus(const QTreeView& list, const ImageList& images) {
    for (int row = 0; row < list.model()->rowCount(); ++row) {
        const QModelIndex entry = list.model()->index(row, 0);
        const int status = GameList::statusOf(entry);
        const QIcon icon = entry.data(Qt::DecorationRole).value<QIcon>();
        if (status > 4) {
            EXPECT_TRUE(icon.isNull()) << status;
        } else {
            ASSERT_FALSE(icon.isNull()) << status;
            EXPECT_EQ(icon.pixmap(16, 16).toImage(), images.image(status).toImage()) << status;
        }
    }
}

std::vector<int> shownStatuses(const QTreeView& list) {
    std::vector<int> shown;
    for (int row = 0; row < list.model()->rowCount(); ++row) shown.push_back(GameList::statusOf(list.model()->index(row, 0)));
    return shown;
}


void writeBitmap(const std::string& path, QSize size, Qt::GlobalColor colour) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    ASSERT_TRUE(picture.save(QString::fromStdString(path), "BMP"));
}

}  // namespace

TEST(GameList, EachEntryShowsTheImageOfItsStatusBeforeAndAfterAScan) {
    TempDir dir;
    std::vector<RomsetCase> games = kCases;
    games[0].status = 2, games[1].status = 7, games[2].status = 0;  // the fourth never scanned
    writeDatabase(games);
    writeCaseRomsets();
    ReportRecorder recorder;
    auto window = startWindow();
    auto* list = control<QTreeView>(*window, "LV0");
    const ImageList& images = window->findChild<GameList*>()->images();
    EXPECT_EQ(shownStatuses(*list), (std::vector<int>{2, 7, 0, 4}));
    expectIconsOfTheirStatus(*list, images);
    window->model().scanRomsets();
    EXPECT_EQ(shownStatuses(*list), kCaseStatuses);
    expectIconsOfTheirStatus(*list, images);
    EXPECT_TRUE(recorder.reports.isEmpty());

    // The five images are distinct 16 x 16 pictures.
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(images.image(i).size(), QSize(16, 16));
        for (int j = 0; j < i; ++j) EXPECT_NE(images.image(i).toImage(), images.image(j).toImage());
    }
    EXPECT_TRUE(images.image(5).isNull());
}

// A letter typed in the list selects the game whose title begins with it, as in the Windows
// window.
TEST(GameList, TypingSelectsTheGameWhoseTitleBeginsWithTheLetter) {
    TempDir dir;
    writeDatabase({{"Bravo", "b", "none", "none", {1}}, {"alpha", "a", "none", "none", {2}},
                   {"Charlie", "c", "none", "none", {3}}});
    auto window = startWindow();
    auto* list = control<QTreeView>(*window, "LV0");
    list->setFocus();
    QTest::keyClicks(list, "B");
    ASSERT_EQ(list->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(GameList::numberOf(list->selectionModel()->selectedRows().front()), 1);
    EXPECT_EQ(window->model().gameInfo.title, "Bravo");
}

TEST(GameInfoPage, FileColumnsAndTheSnapshotFilesThatLoad) {
    TempDir dir;
    writeDatabase({{"Pictured", "picset", "none", "none", {1}}, {"Both", "both", "none", "none", {2}}});
    // An unreadable picture under the first name falls back to the second; where both load,
    // the first is taken.
    writeFile("snap/picset/kxd3d001.bmp", "not a bitmap");
    writeBitmap("snap/picset/kxogl001.bmp", QSize(64, 48), Qt::blue);
    writeBitmap("snap/both/kxd3d001.bmp", QSize(64, 48), Qt::blue);
    writeBitmap("snap/both/kxogl001.bmp", QSize(10, 10), Qt::red);
    ReportRecorder recorder;
    auto window = startWindow();
    auto* picture = control<QLabel>(*window, "I1");
    auto* list = control<QTreeView>(*window, "LV0");
    for (int row = 0; row < 2; ++row) {
        list->setCurrentIndex(list->model()->index(row, 0));
        EXPECT_TRUE(window->model().gameInfo.hasPicture()) << row;
        EXPECT_EQ(picture->pixmap().size(), QSize(64, 48)) << row;
    }
    EXPECT_EQ(picture->size(), QSize(320, 240));
    EXPECT_TRUE(picture->hasScaledContents());
    EXPECT_TRUE(picture->isVisibleTo(control<QWidget>(*window, "TS1")));

    // File name 230 and signature 74 wide; the file name column stops at 100.
    auto* files = control<QTreeWidget>(*window, "LV1");
    EXPECT_EQ(files->columnWidth(0), 230);
    EXPECT_EQ(files->columnWidth(1), 74);
    files->header()->resizeSection(0, 40);
    EXPECT_EQ(files->columnWidth(0), 100);
    files->header()->resizeSection(0, 150);
    EXPECT_EQ(files->columnWidth(0), 150);
    // The game column stops at 250; neither list's columns can be dragged into another order.
    list->header()->resizeSection(0, 40);
    EXPECT_EQ(list->columnWidth(0), 250);
    EXPECT_FALSE(list->header()->sectionsMovable());
    EXPECT_FALSE(files->header()->sectionsMovable());
    EXPECT_TRUE(recorder.reports.isEmpty());
}
