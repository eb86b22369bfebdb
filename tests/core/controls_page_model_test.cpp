#include "core/controls_page_model.h"
#include "core/ini_document.h"
#include "fixtures/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using namespace tavrix;
using namespace tavrix::test;

TEST(ControlsPageModel, CapturesOneInputAtATimeAndReloadsAsTheHandlersSay) {
    TempDir dir;
    ControlsPageModel page;
    page.buildInputNames(true);
    page.TS4Show();  // the first load writes the fresh file
    std::array<std::string, kControllerLabelCount>& captions = page.state.captions;
    enum { L21 = 0, L27 = 6, L28 = 7, L29 = 8, L31 = 10, L32 = 11 };
    ASSERT_EQ(captions[L27], "W");

    EXPECT_TRUE(page.L27DblClick(L27) && page.capturing);
    EXPECT_EQ(captions[L27], kCaptureMarker);
    EXPECT_FALSE(page.L27DblClick(L28)) << "a second label is refused while one waits";
    EXPECT_EQ(captions[L28], "S");
    page.E4KeyDown(0x26);  // VK_UP
    EXPECT_EQ(captions[L27], "up");
    EXPECT_FALSE(page.capturing);
    EXPECT_EQ(page.captionsSet, 2);

    page.L27DblClick(L29);
    page.J1JoyMove(2, 1, 1, 2048);
    EXPECT_EQ(captions[L29], "joy2 button 12");
    page.L27DblClick(L21);
    page.J1JoyMove(1, 2, 0, 0);
    EXPECT_EQ(captions[L21], "joy1 right");

    // An unplugged stick gives the waiting label its input back; without a capture nothing happens.
    page.L27DblClick(L31);
    page.J1JoyRemoved();
    EXPECT_EQ(captions[L31], "1");
    const int captionsSet = page.captionsSet;
    page.J1JoyRemoved();
    EXPECT_EQ(page.captionsSet, captionsSet);

    // Save keeps a waiting label's key; its marker stays until the next load.
    page.state.useMM = true;
    page.L27DblClick(L32);
    page.B04Click();
    EXPECT_EQ(IniDocument::load("tavrix-controller.cfg").readString("player1", "start", ""), "k06");
    EXPECT_EQ(IniDocument::load("tavrix-controller.cfg").readString("player1", "useMM", ""), "1");
    EXPECT_EQ(captions[L32], kCaptureMarker);
    page.TS4Hide();
    page.TS4Show();
    EXPECT_EQ(captions[L32], "5");

    // Another player: unsaved changes are dropped and the group names the player.
    page.state.player = 1;
    page.CB23Change();
    EXPECT_STREQ(page.groupCaption.in(true), " Player 2 ");
    EXPECT_EQ(captions[L31], "joy1 button 7");
    page.state.player = 0;
    page.CB23Change();
    EXPECT_EQ(captions[L27], "up") << "saved above";
}

TEST(ControlsPageModel, PlayerAndCaptureCaptionsFollowTheState) {
    ControlsPageModel page;
    for (auto [player, index] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{7, 1}}) {
        page.state.player = player;
        EXPECT_EQ(page.playerIndex(), index) << player;
    }
    EXPECT_STREQ(controlsPageLayout()["GB6"].caption.en, playerGroupCaption(0).en);
    EXPECT_STREQ(playerGroupCaption(1).in(true), " Player 2 ");
    EXPECT_STREQ(windowCaption(true).in(true), "Tavrix - Press key or button...");
    EXPECT_STREQ(windowCaption(false).in(true), "Tavrix");
    // The fourteen assignable inputs are bold labels that report double clicks.
    for (int i = 0; i < kControllerLabelCount; ++i) {
        const ControlRow& input = controlsPageLayout()["L" + std::to_string(21 + i)];
        EXPECT_TRUE(input.kind == ControlKind::ClickLabel && (input.font & kBold)) << input.name;
    }
}
