// What the Qt game list draws itself: each entry's icon from the image list, before and after
// a scan, and the five images.
#include "app/game_list.h"
#include "fixtures/app_fixture.h"
#include "fixtures/romset_cases.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace tavrix::test;

namespace {

// Every entry shows the image of its status; a status without an image shows none.
void expectIconsOfTheirStatus(const QTreeWidget& list, const ImageList& images) {
    for (int row = 0; row < list.topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = list.topLevelItem(row);
        const int status = GameList::statusOf(item);
        if (status > 4) {
            EXPECT_TRUE(item->icon(0).isNull()) << status;
        } else {
            ASSERT_FALSE(item->icon(0).isNull()) << status;
            EXPECT_EQ(item->icon(0).pixmap(16, 16).toImage(), images.image(status).toImage()) << status;
        }
    }
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
    auto* list = control<QTreeWidget>(*window, "LV0");
    const ImageList& images = window->findChild<GameList*>()->images();
    std::vector<int> shown;
    for (int row = 0; row < list->topLevelItemCount(); ++row) shown.push_back(GameList::statusOf(list->topLevelItem(row)));
    EXPECT_EQ(shown, (std::vector<int>{2, 7, 0, 4}));
    expectIconsOfTheirStatus(*list, images);
    window->model().scanRomsets();
    shown.clear();
    for (int row = 0; row < list->topLevelItemCount(); ++row) shown.push_back(GameList::statusOf(list->topLevelItem(row)));
    EXPECT_EQ(shown, kCaseStatuses);
    expectIconsOfTheirStatus(*list, images);
    EXPECT_TRUE(recorder.reports.isEmpty());

    // The five images are distinct 16 x 16 pictures.
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(images.image(i).size(), QSize(16, 16));
        for (int j = 0; j < i; ++j) EXPECT_NE(images.image(i).toImage(), images.image(j).toImage());
    }
    EXPECT_TRUE(images.image(5).isNull());
}
