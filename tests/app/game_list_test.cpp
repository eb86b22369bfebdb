#include "app/clickable_label.h"
#include "app/game_info_page.h"
#include "app/game_list.h"
#include "app/general_page.h"
#include "fixtures/app_fixture.h"
#include "fixtures/zip_builder.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace tavrix::test;

namespace {

struct Game {
    std::string name;
    std::string system;
    std::string year;
    int status = -1;  // -1: no GameStatus key
};

// tavrix.ini with the given settings lines and games 1, 2, ...
void writeDatabase(const std::string& settingsLines, const std::vector<Game>& games) {
    std::string text = "[Tavrix]\r\n" + settingsLines;
    for (size_t i = 0; i < games.size(); ++i) {
        text += "[Game-" + std::to_string(i + 1) + "]\r\nGameName=" + games[i].name + "\r\nSystemName=" +
                games[i].system + "\r\nGameYear=" + games[i].year + "\r\n";
        if (games[i].status >= 0) text += "GameStatus=" + std::to_string(games[i].status) + "\r\n";
    }
    writeFile("tavrix.ini", text);
}

QStringList titles(QTreeWidget* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) out << list->topLevelItem(i)->text(0);
    return out;
}

std::vector<int> numbers(QTreeWidget* list) {
    std::vector<int> out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) out.push_back(GameList::numberOf(list->topLevelItem(i)));
    return out;
}

void clickHeader(QTreeWidget* list, int column) {
    QHeaderView* header = list->header();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

const std::vector<Game> kFourGames = {
    {"Bravo", "Zeta-1", "1995", 2}, {"alpha", "Ymir", "1990", 1}, {"Charlie", "Xeno", "1999", 2}, {"delta", "Ymir", "1985", 0}};

}  // namespace

TEST(GameList, FillShowsEveryGameWithItsStatusIconAndCountLine) {
    TempDir dir;
    writeDatabase("english-version=1\r\n", {{"One", "S", "1", 2}, {"Two", "S", "2", 0}, {"Three", "S", "3", 7}, {"Four", "S", "4"}});
    ReportRecorder recorder;
    auto window = startWindow();
    QTreeWidget* list = window->LV0;
    ASSERT_EQ(list->topLevelItemCount(), 4);
    EXPECT_EQ(window->generalPage->L16->text(), "Games: 1 from 4");
    EXPECT_EQ(list->headerItem()->text(0), "Game");
    const GameList& games = *window->gameList;
    for (int i = 0; i < 4; ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        const int status = GameList::statusOf(item);
        // The icon is the image list's image of that index; 7 has none.
        if (status == 7) {
            EXPECT_TRUE(item->icon(0).isNull());
        } else {
            ASSERT_FALSE(item->icon(0).isNull());
            EXPECT_EQ(item->icon(0).pixmap(16, 16).toImage(), games.images().image(status).toImage());
        }
    }
    EXPECT_EQ(GameList::statusOf(list->topLevelItem(3)), 4);  // missing key: never scanned
    // Without sorting-type the list is sorted by title, descending; the first entry is
    // selected at start-up and shown on the Game Info page.
    EXPECT_EQ(titles(list), QStringList({"Two", "Three", "One", "Four"}));
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0));
    EXPECT_EQ(window->gameInfoPage->L1->text(), "Two");
    Language::setEnglish(false);

    // The five images are distinct 16 x 16 pictures.
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(games.images().image(i).size(), QSize(16, 16));
        for (int j = 0; j < i; ++j) EXPECT_NE(games.images().image(i).toImage(), games.images().image(j).toImage());
    }
    EXPECT_TRUE(games.images().image(5).isNull());
}

TEST(GameList, EmptyDatabaseStillShowsGameOneAndKoreanCountLine) {
    TempDir dir;
    writeSettings();
    ReportRecorder recorder;
    auto window = startWindow();
    ASSERT_EQ(window->LV0->topLevelItemCount(), 1);
    EXPECT_EQ(window->LV0->topLevelItem(0)->text(0), " ");
    EXPECT_EQ(window->generalPage->L16->text(), QString::fromUtf8("보유 게임: 0 중 1"));
}

TEST(GameList, SortByNameHeaderClicksAndArrows) {
    TempDir dir;
    writeDatabase("sorting-type=1\r\n", kFourGames);
    ReportRecorder recorder;
    auto window = startWindow();
    QTreeWidget* list = window->LV0;
    GameList& games = *window->gameList;
    // Name, descending: Z to A with only a to z folded.
    EXPECT_EQ(titles(list), QStringList({"delta", "Charlie", "Bravo", "alpha"}));
    EXPECT_EQ(games.headerImage(0), 3);

    clickHeader(list, 0);
    EXPECT_TRUE(games.ascending());
    EXPECT_EQ(titles(list), QStringList({"alpha", "Bravo", "Charlie", "delta"}));
    EXPECT_EQ(games.headerImage(0), 4);
    EXPECT_EQ(window->generalPage->sortChoice(), 1);

    // The selected entry stays selected through a sort.
    list->setCurrentItem(list->topLevelItem(2));
    clickHeader(list, 0);
    EXPECT_EQ(list->currentItem()->text(0), "Charlie");
    EXPECT_EQ(window->gameInfoPage->L1->text(), "Charlie");

    // Sort by year without the extra columns: sorted, but no arrow anywhere.
    window->generalPage->RG2Items[3]->setChecked(true);
    EXPECT_EQ(titles(list), QStringList({"Charlie", "Bravo", "alpha", "delta"}));
    EXPECT_EQ(games.headerImage(0), -1);
    EXPECT_EQ(list->columnCount(), 1);
}

TEST(GameList, YearHeaderClickKeepsDirectionAndMovesTheArrow) {
    TempDir dir;
    writeDatabase("sorting-type=11\r\nshow-all-columns=1\r\n", kFourGames);
    ReportRecorder recorder;
    auto window = startWindow();
    QTreeWidget* list = window->LV0;
    GameList& games = *window->gameList;
    ASSERT_EQ(list->columnCount(), 3);
    EXPECT_EQ(games.headerImage(0), 4);

    clickHeader(list, 2);
    EXPECT_TRUE(games.ascending());
    EXPECT_EQ(games.sortColumn(), 2);
    EXPECT_TRUE(window->generalPage->RG2Items[3]->isChecked());
    EXPECT_EQ(games.headerImage(0), -1);
    EXPECT_EQ(games.headerImage(2), 4);
    EXPECT_EQ(titles(list), QStringList({"delta", "alpha", "Bravo", "Charlie"}));

    // Hardware through RG2: arrow on column 1, same direction.
    window->generalPage->RG2Items[2]->setChecked(true);
    EXPECT_EQ(games.headerImage(2), -1);
    EXPECT_EQ(games.headerImage(1), 4);
    EXPECT_EQ(titles(list).front(), "Charlie");  // Xeno
    EXPECT_EQ(titles(list).back(), "Bravo");     // Zeta-1

    // Emulator order: no arrow on any column.
    window->generalPage->RG2Items[0]->setChecked(true);
    EXPECT_EQ(numbers(list), (std::vector<int>{1, 2, 3, 4}));
    for (int column = 0; column < 3; ++column) EXPECT_EQ(games.headerImage(column), -1);

    // Save after an ascending year sort writes 13.
    clickHeader(list, 2);
    window->PC1->setCurrentIndex(1);
    QTest::mouseClick(window->generalPage->B07, Qt::LeftButton);
    EXPECT_NE(readFile("tavrix.ini").find("sorting-type=13\r\n"), std::string::npos);
    EXPECT_EQ(window->PC1->currentIndex(), 0);
}

TEST(GameList, PlayableFilterAndExtraColumns) {
    TempDir dir;
    writeDatabase("sorting-type=11\r\n", kFourGames);
    ReportRecorder recorder;
    auto window = startWindow();
    QTreeWidget* list = window->LV0;
    GeneralPage* page = window->generalPage;

    page->CB26->setChecked(true);
    EXPECT_EQ(titles(list), QStringList({"Bravo", "Charlie"}));
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0));
    EXPECT_EQ(window->gameInfoPage->L1->text(), "Bravo");
    page->CB26->setChecked(false);
    EXPECT_EQ(titles(list), QStringList({"alpha", "Bravo", "Charlie", "delta"}));
    EXPECT_EQ(window->gameInfoPage->L1->text(), "alpha");

    page->CB27->setChecked(true);
    EXPECT_EQ(list->columnCount(), 3);
    EXPECT_EQ(list->headerItem()->text(1), QString::fromUtf8("플랫폼"));
    EXPECT_EQ(list->headerItem()->text(2), QString::fromUtf8("년도"));
    EXPECT_EQ(list->columnWidth(1), 110);
    EXPECT_EQ(list->columnWidth(2), 40);
    EXPECT_EQ(window->width(), 802);
    EXPECT_EQ(list->width(), 277 + 150);
    EXPECT_EQ(list->topLevelItem(0)->text(2), "1990");

    // Hiding the columns keeps the arrow on column 0 and narrows the window.
    page->CB27->setChecked(false);
    EXPECT_EQ(list->columnCount(), 1);
    EXPECT_EQ(window->width(), 652);
    EXPECT_EQ(list->width(), 277);
    EXPECT_EQ(window->gameList->headerImage(0), 4);
}

TEST(GameList, FilterWithNoPlayableGameEmptiesListAndTitles) {
    TempDir dir;
    writeDatabase("", {{"A", "S", "1", 0}, {"B", "S", "2", 1}, {"C", "S", "3"}});
    ReportRecorder recorder;
    auto window = startWindow();
    GameInfoPage* info = window->gameInfoPage;
    EXPECT_EQ(info->L1->text(), "C");
    window->generalPage->CB26->setChecked(true);
    EXPECT_EQ(window->LV0->topLevelItemCount(), 0);
    EXPECT_TRUE(info->P1->isVisible());
    EXPECT_TRUE(info->L1->text().isEmpty());
    EXPECT_TRUE(info->L2->text().isEmpty());
    EXPECT_TRUE(info->L6->text().isEmpty());
    EXPECT_FALSE(info->hasPicture());
    // The toggle does nothing while the list is empty.
    info->L1Click();
    EXPECT_TRUE(info->P1->isVisible());
    EXPECT_TRUE(recorder.reports.isEmpty());
}

TEST(GameList, CancelSelectsTheStoredChoiceBeforeTakingTheStoredDirection) {
    TempDir dir;
    writeDatabase("sorting-type=11\r\nshow-all-columns=1\r\n", kFourGames);
    ReportRecorder recorder;
    auto window = startWindow();
    QTreeWidget* list = window->LV0;
    GameList& games = *window->gameList;
    // Year, then Year again: descending by year.
    clickHeader(list, 2);
    clickHeader(list, 2);
    ASSERT_FALSE(games.ascending());
    ASSERT_EQ(games.sortColumn(), 2);

    // Cancel brings back "by name, ascending": the changed choice re-sorts and re-marks under the
    // direction in force, and only then does the stored direction take over.
    window->showPage(1);
    QTest::mouseClick(window->generalPage->B05, Qt::LeftButton);
    EXPECT_TRUE(window->generalPage->RG2Items[1]->isChecked());
    EXPECT_EQ(games.sortColumn(), 0);
    EXPECT_TRUE(games.ascending());
    EXPECT_EQ(titles(list), QStringList({"delta", "Charlie", "Bravo", "alpha"}));
    EXPECT_EQ(games.headerImage(0), 3);
    EXPECT_EQ(games.headerImage(2), -1);
    EXPECT_EQ(window->PC1->currentIndex(), 1);
    EXPECT_TRUE(recorder.reports.isEmpty());
}
