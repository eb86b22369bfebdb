#include "core/error.h"
#include "core/sound_page_model.h"
#include "fixtures/temp_dir.h"

#include <gtest/gtest.h>

using namespace tavrix;
using namespace tavrix::test;

namespace {

// The page as it shows: each control's value, a disabled one marked with a leading '-'.
std::string shown(const SoundPageModel& m) {
    auto control = [](bool enabled, const std::string& text) { return (enabled ? "" : "-") + text; };
    return "CB1=" + std::to_string(m.soundChecked) + " " +
           control(m.filterEnabled, "CB19=" + std::to_string(m.filterChecked)) + " " +
           control(m.cutoffEnabled, "CB20=" + std::to_string(m.cutoffIndex)) + " " +
           control(m.effectEnabled, "RG1=" + std::to_string(m.effectIndex)) + " " +
           control(m.multiplierEnabled, "E3=" + m.multiplierText);
}

}  // namespace

TEST(SoundPageModel, EnableRulesFollowSoundFilterAndEffectWithoutChangingAnyState) {
    TempDir dir;
    writeFile("tavrix.ini", "[Tavrix]\r\nuse-sound=1\r\nsound-filter-enable=1\r\nsound-surround-lite-enable=1\r\n");
    SoundPageModel page;
    page.B12Click();
    EXPECT_EQ(shown(page), "CB1=1 CB19=1 CB20=2 RG1=2 E3=40");
    // A user's click: the field takes the new state, then the handler runs.
    const auto sound = [&](bool on) { page.soundChecked = on, page.CB1Click(); };
    const auto filter = [&](bool on) { page.filterChecked = on, page.CB19Click(); };
    const auto effect = [&](int item) { page.effectIndex = item, page.RG1Click(); };
    const std::pair<std::function<void()>, const char*> steps[] = {
        {[&] { sound(false); }, "CB1=0 -CB19=1 -CB20=2 -RG1=2 -E3=40"},
        {[&] { sound(true); }, "CB1=1 CB19=1 CB20=2 RG1=2 E3=40"},
        {[&] { filter(false); }, "CB1=1 CB19=0 -CB20=2 RG1=2 E3=40"},
        {[&] { effect(1); }, "CB1=1 CB19=0 -CB20=2 RG1=1 -E3=40"},
        {[&] { effect(2); }, "CB1=1 CB19=0 -CB20=2 RG1=2 E3=40"},
        {[&] { sound(false), filter(true), effect(2); }, "CB1=0 -CB19=1 -CB20=2 -RG1=2 -E3=40"},
    };
    for (const auto& [step, expected] : steps) {
        step();
        EXPECT_EQ(shown(page), expected);
    }
}

TEST(SoundPageModel, CancelShowsTheStoredValuesAndSaveWritesTheControls) {
    TempDir dir;
    const std::pair<const char*, const char*> cases[] = {
        // Missing use-sound shows sound on; 16000 keeps the previous entry; lite surround wins.
        {"sound-filter-cutoff=16000\r\nsound-stereo-exciter=1\r\nsound-surround-lite-enable=1\r\n",
         "CB1=1 CB19=0 -CB20=0 RG1=2 E3=40"},
        {"use-sound=0\r\nsound-filter-enable=1\r\nsound-filter-cutoff=44100\r\nsound-stereo-exciter=1\r\n"
         "sound-surround-lite-multiplier=77\r\n", "CB1=0 -CB19=1 -CB20=3 -RG1=1 -E3=77"},
        // A cutoff that is no number stops after the check boxes: effect and multiplier stay.
        {"use-sound=1\r\nsound-filter-enable=1\r\nsound-filter-cutoff=22k\r\nsound-stereo-exciter=1\r\n"
         "sound-surround-lite-multiplier=9\r\n", "CB1=1 CB19=1 CB20=0 RG1=2 E3=5 error '22k' is not a valid integer value"},
    };
    for (const auto& [stored, expected] : cases) {
        writeFile("tavrix.ini", std::string("[Tavrix]\r\n") + stored);
        SoundPageModel page;
        page.soundChecked = true, page.cutoffIndex = 0, page.effectIndex = 2, page.multiplierText = "5";
        page.CB1Click();
        std::string error;
        try { page.B12Click(); } catch (const Error& e) { error = std::string(" error ") + e.what(); }
        EXPECT_EQ(shown(page) + error, expected) << stored;
    }

    writeFile("tavrix.ini", "[Tavrix]\r\nsound-filter-cutoff=16000\r\nsound-stereo-exciter=1\r\n");
    SoundPageModel page;
    page.B12Click();
    page.cutoffIndex = 1, page.effectIndex = 2, page.multiplierText = "text, not a number";
    page.B11Click();
    EXPECT_EQ(readFile("tavrix.ini"), "[Tavrix]\r\nsound-filter-cutoff=11025\r\nsound-stereo-exciter=0\r\n"
              "use-sound=1\r\nsound-filter-enable=0\r\nsound-surround-lite-enable=1\r\n"
              "sound-surround-lite-multiplier=text, not a number\r\n\r\n");
}
