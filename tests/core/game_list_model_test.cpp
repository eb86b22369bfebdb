#include "core/game_list_model.h"

#include <gtest/gtest.h>

using namespace tavrix;

TEST(GameListModel, ComparesFoldedBytesOrGameNumbersInEitherDirection) {
    // Sort column, direction, entry A (bytes, number), entry B, expected comparison.
    struct Case { int column; bool ascending; const char* a; int numberA; const char* b; int numberB; int expected; };
    const Case cases[] = {
        {0, true, "alpha", 1, "Bravo", 2, -1}, {0, false, "alpha", 1, "Bravo", 2, 1},
        {1, true, "ABC", 1, "abc", 2, 0},      {2, true, "199", 1, "1990", 2, -1},
        // Only a to z fold: '[' comes after 'A'; bytes of the file decide, 0x80 before 0xE9.
        {0, true, "[", 1, "a", 2, 1},          {0, true, "x\x80", 1, "X\xE9", 2, -1},
        {0, true, "x\x80", 1, "XA", 2, 1},
        // The emulator order is numeric: 100 after 11.
        {3, true, "100", 100, "11", 11, 1},    {3, false, "9", 9, "10", 10, 1},
    };
    for (const Case& c : cases) {
        GameListModel list;
        list.sortColumn = c.column;
        list.ascending = c.ascending;
        EXPECT_EQ(list.LV0Compare({c.a, c.numberA}, {c.b, c.numberB}), c.expected) << c.a << " " << c.b;
    }
    EXPECT_TRUE(GameListModel::keptByPlayableFilter(2) && !GameListModel::keptByPlayableFilter(4));
}

TEST(GameListModel, SortChoicesHeaderClicksAndExtraColumnsMoveTheArrow) {
    using Images = std::array<int, 3>;
    GameListModel list;
    list.markSortColumn();
    EXPECT_EQ(list.headerImages, (Images{3, -1, -1}));
    EXPECT_EQ(list.LV0ColumnClick(0), 1);
    EXPECT_TRUE(list.ascending);
    EXPECT_EQ(list.headerImages, (Images{4, -1, -1}));
    list.RG2Click(3);  // year, while its column is hidden: no arrow anywhere
    EXPECT_EQ(list.headerImages, (Images{-1, -1, -1}));
    list.CB27Click();
    EXPECT_EQ(list.headerImages, (Images{-1, -1, 4}));
    EXPECT_EQ(list.LV0ColumnClick(1), 2) << "another column keeps the direction";
    EXPECT_TRUE(list.ascending);
    EXPECT_EQ(list.headerImages, (Images{-1, 4, -1}));
    list.RG2Click(0);
    EXPECT_EQ(list.sortColumn, GameListModel::kEmulatorOrderColumn);
    EXPECT_EQ(list.sortChoiceOfColumn(), 0);
    EXPECT_EQ(list.headerImages, (Images{-1, -1, -1}));
    list.LV0ColumnClick(0);
    list.CB27Click();  // hiding leaves column 0's arrow
    EXPECT_FALSE(list.allColumns);
    EXPECT_EQ(list.headerImages, (Images{4, -1, -1}));
    EXPECT_EQ(list.sortChoiceOfColumn(), 1);
}
