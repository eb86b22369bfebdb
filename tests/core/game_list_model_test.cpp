#include "core/game_list_model.h"
#include "fixtures/temp_dir.h"

#include <gtest/gtest.h>

using namespace tavrix;
using namespace tavrix::test;

namespace {

// The entries as the list shows them: "number:title/hardware/year:status".
std::string shown(const GameListModel& list) {
    std::string out;
    for (const GameListRow& entry : list.entries)
        out += std::to_string(entry.number) + ":" + GameListModel::cellText(entry, 0) + "/" +
               GameListModel::cellText(entry, 1) + "/" + GameListModel::cellText(entry, 2) + ":" +
               std::to_string(entry.status) + " ";
    return out;
}

}  // namespace

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

TEST(GameListModel, FillFilterAndSortDecideTheEntriesTheCountLineAndTheFirstSelection) {
    TempDir dir;
    writeFile("tavrix.ini",
              "[Game-1]\r\nGameName=Bravo\r\nSystemName=Zeta\r\nGameYear=1995\r\nGameStatus=2\r\n"
              "[Game-2]\r\nGameName=caf\xE9\r\nSystemName=Ymir\r\nGameYear=1990\r\nGameStatus=1\r\n"
              "[Game-3]\r\nGameName=Alpha\r\nGameStatus=2\r\n"
              "[Game-4]\r\nGameName=Delta\r\nGameStatus=7\r\n"
              "[Game-5]\r\nGameName=Echo\r\n"
              "[Game-7]\r\nGameName=Beyond the gap\r\n");
    GameListModel list;
    list.fill();
    EXPECT_EQ(shown(list), "1:Bravo/Zeta/1995:2 2:caf\u00e9/Ymir/1990:1 3:Alpha/ / :2 4:Delta/ / :7 5:Echo/ / :4 ");
    EXPECT_EQ(list.countLine(true), "Games: 2 from 5");
    EXPECT_EQ(list.countLine(false), "\ubcf4\uc720 \uac8c\uc784: 2 \uc911 5");

    // Title, descending (the first start's sort).
    list.sort();
    EXPECT_EQ(list.firstNumber(), 5);
    // Action, then the outcome and the entries in order.
    struct Step { std::function<GameListModel::FilterOutcome()> act; GameListModel::FilterOutcome outcome; const char* numbers; };
    const Step steps[] = {
        {[&] { return list.CB26Click(true); }, {false, false, 1}, "1 3 "},
        {[&] { list.setStatus(1, 0); return list.CB26Click(true); }, {false, false, 3}, "3 "},
        {[&] { list.setStatus(3, 1); return list.CB26Click(true); }, {false, true, 0}, ""},
        // Unchecking refills from the file: every game with its stored status, sorted.
        {[&] { return list.CB26Click(false); }, {true, false, 5}, "5 4 2 1 3 "},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(step.act(), step.outcome);
        std::string numbers;
        for (const GameListRow& entry : list.entries) numbers += std::to_string(entry.number) + " ";
        EXPECT_EQ(numbers, step.numbers);
    }
    EXPECT_EQ(list.playableCount(), 2);
    list.setStatus(4, 2);
    EXPECT_EQ(list.countLine(true), "Games: 3 from 5");

    // An empty database still lists game 1, never scanned.
    writeFile("tavrix.ini", "[Tavrix]\r\n");
    list.fill();
    EXPECT_EQ(shown(list), "1: / / :4 ");
    EXPECT_EQ(list.countLine(true), "Games: 0 from 1");

    // What a screen reader says of each game's row, in both interfaces: the words the list must
    // speak for its status pictures, and nothing for a hand-written 3 (the sort arrow's image)
    // or a number without an image.
    writeFile("tavrix.ini",
              "[Tavrix]\r\n[Game-1]\r\nGameName=Gone\r\nGameStatus=0\r\n[Game-2]\r\nGameName=Half\r\nGameStatus=1\r\n"
              "[Game-3]\r\nGameName=Full\r\nGameStatus=2\r\n[Game-4]\r\nGameName=Arrow\r\nGameStatus=3\r\n"
              "[Game-5]\r\nGameName=New\r\n[Game-6]\r\nGameName=Odd\r\nGameStatus=7\r\n");
    list.fill();
    std::string spoken;
    for (const GameListRow& entry : list.entries) {
        const Caption words = GameListModel::spokenStatus(entry.status);
        spoken += GameListModel::cellText(entry, 0) + ": " + words.in(true) + " / " + words.in(false) + "\n";
    }
    EXPECT_EQ(spoken,
              "Gone: romset missing / 롬셋 없음\nHalf: incomplete romset / 롬셋 불완전\nFull: complete romset / 롬셋 완전\n"
              "Arrow:  / \nNew: not checked / 검사 안 됨\nOdd:  / \n");
}
