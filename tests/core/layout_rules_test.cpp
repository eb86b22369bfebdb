// What both windows read alike from the layout tables: places at a display scale, the names a
// screen reader speaks, and the room each caption has.
#include "core/layout_rules.h"

#include <gtest/gtest.h>

using namespace tavrix;

TEST(LayoutRules, ScaledPlacesKeepTheTablesNeighboursApart) {
    const FormLayout* tables[] = {&mainWindowLayout(), &gameInfoPageLayout(), &generalPageLayout(),
                                  &videoPageLayout(),  &soundPageLayout(),    &controlsPageLayout(),
                                  &aboutPageLayout(),  &languagePanelLayout()};
    for (const FormLayout* table : tables)
        for (const int dpi : {96, 120, 144, 192})
            for (const ControlRow& a : table->controls)
                for (const ControlRow& b : table->controls)
                    if (&a != &b && overlap(pagePlace(*table, a.name, dpi), pagePlace(*table, b.name, dpi))) {
                        EXPECT_TRUE(overlap(pagePlace(*table, a.name), pagePlace(*table, b.name)))
                            << a.name << " over " << b.name << " at " << dpi;
                    }
    // Group offsets added, edges scaled: "Auto framerate:" at 12, 203 in the page, 96 x 16.
    const Rect place = pagePlace(videoPageLayout(), "L58", 144);
    EXPECT_EQ(place.x, 18);
    EXPECT_EQ(place.y, 305);
    EXPECT_EQ(place.width, 162 - 18);
    EXPECT_EQ(place.height, 329 - 305);
    EXPECT_EQ(scaledTextHeight(11, 120), 13) << "whole pixels, never above the scaled size";
}

TEST(LayoutRules, ScreenReadersHearTheTableTheNamingLabelOrTheCaptionWithoutBlanks) {
    const struct {
        const FormLayout& table;
        const char* control;
        const char *korean, *english;
    } cases[] = {
        {generalPageLayout(), "B01", "롬 경로 선택", "Select rom path"},     // the table's name for "..."
        {generalPageLayout(), "E1", "롬셋 디렉토리", "Romset directory"},     // the table's, not the label's two languages
        {videoPageLayout(), "E2", "프레임", "frames"},                        // the label that names it
        {soundPageLayout(), "UD2", "배율:", "Multiplier:"},                   // an up-down: its edit box's name
        {generalPageLayout(), "CB24", "시작할 때 롬 경로 다시 검색", "Rescan rom path on startup"},
        {languagePanelLayout(), "RB2", "English", "English"},
        {mainWindowLayout(), "LV0", "게임 목록", "Game list"},
        {controlsPageLayout(), "L27", "", ""},                                // its text is written at run time
        {videoPageLayout(), "CB3", "해상도:", "Resolution:"},
    };
    for (const auto& spoken : cases) {
        EXPECT_EQ(spokenName(spoken.table, spoken.table[spoken.control], false), spoken.korean) << spoken.control;
        EXPECT_EQ(spokenName(spoken.table, spoken.table[spoken.control], true), spoken.english) << spoken.control;
    }
}

TEST(LayoutRules, EachCaptionHasItsControlsRoomLessWhatIsDrawnBesideIt) {
    CaptionFurniture furniture;
    furniture.box = 17;
    furniture.tab = 8;
    furniture.tabRow = 4;
    furniture.header = 12;
    auto roomOf = [&](const FormLayout& table, const char* control, int dpi = 96) {
        for (const CaptionRoom& room : captionRooms(table, true, dpi, furniture))
            if (room.control == control) return room;
        return CaptionRoom{};
    };
    // Six pixels a character, a line thirteen high.
    auto measure = [](const std::string& text) { return TextExtent{static_cast<int>(text.size()) * 6, 13}; };
    const CaptionRoom check = roomOf(generalPageLayout(), "CB24");
    EXPECT_EQ(check.width, 188 - 17);
    EXPECT_EQ(misfit(check, measure), "");
    EXPECT_EQ(roomOf(generalPageLayout(), "CB24", 192).width, 376 - 17);
    const CaptionRoom credits = roomOf(aboutPageLayout(), "L88");
    EXPECT_EQ(credits.texts.size(), 3u);
    EXPECT_EQ(misfit(credits, [](const std::string&) { return TextExtent{10, 17}; }), "the lines high 51 in 48");
    const CaptionRoom tabs = roomOf(mainWindowLayout(), "PC1");
    EXPECT_TRUE(tabs.sideBySide);
    EXPECT_EQ(tabs.width, 352 - 4 - 6 * 8);
    EXPECT_EQ(misfit(tabs, [](const std::string&) { return TextExtent{50, 13}; }), "");
    EXPECT_EQ(misfit(tabs, [](const std::string&) { return TextExtent{51, 13}; }), "the texts side by side wide 306 in 300");
    EXPECT_EQ(roomOf(mainWindowLayout(), "LV0").width, 256 - 12) << "a column: its width less the header's padding";
    EXPECT_EQ(misfit(roomOf(videoPageLayout(), "L54"), measure), "\"Texture filtering:\" wide 108 in 96");
}
