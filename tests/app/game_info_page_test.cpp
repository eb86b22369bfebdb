// What the Qt Game Info page does itself: the file list's columns, and the picture loader that
// takes a snapshot file (or refuses one it cannot read) into I1, stretched to 320 x 240.
#include "fixtures/app_fixture.h"
#include "fixtures/romset_cases.h"

#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace tavrix;
using namespace tavrix::test;

namespace {

void writeBitmap(const std::string& path, QSize size, Qt::GlobalColor colour) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    ASSERT_TRUE(picture.save(QString::fromStdString(path), "BMP"));
}

}  // namespace

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
    auto* list = control<QTreeWidget>(*window, "LV0");
    for (int row = 0; row < 2; ++row) {
        list->setCurrentItem(list->topLevelItem(row));
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
    EXPECT_TRUE(recorder.reports.isEmpty());
}
