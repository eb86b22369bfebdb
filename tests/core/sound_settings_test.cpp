#include "core/ini_document.h"
#include "core/sound_settings.h"

#include <gtest/gtest.h>

#include <string>

using namespace tavrix;

TEST(SoundSettings, SaveWritesTheSixKeysInOrderWhateverTheSoundState) {
    IniDocument document = IniDocument::parse("[Tavrix]\r\nsound-filter-cutoff=16000\r\n");
    SoundSettings settings;
    settings.useSound = false;
    settings.filterEnabled = true;
    settings.cutoff = 0;
    settings.effect = 2;
    settings.multiplier = "abc";
    writeSoundSettings(document, settings);
    EXPECT_EQ(document.serialize(),
              "[Tavrix]\r\nsound-filter-cutoff=8000\r\nuse-sound=0\r\nsound-filter-enable=1\r\n"
              "sound-stereo-exciter=0\r\nsound-surround-lite-enable=1\r\n"
              "sound-surround-lite-multiplier=abc\r\n\r\n");

    settings.effect = 1;
    settings.cutoff = 3;
    writeSoundSettings(document, settings);
    EXPECT_EQ(document.readString("Tavrix", "sound-filter-cutoff", ""), "44100");
    EXPECT_EQ(document.readString("Tavrix", "sound-stereo-exciter", ""), "1");
    EXPECT_EQ(document.readString("Tavrix", "sound-surround-lite-enable", ""), "0");
}

TEST(SoundSettings, ReloadDecodesDefaultsEffectsAndUnknownCutoffs) {
    const auto empty = readSoundSettings(IniDocument::parse("[Tavrix]\r\n"));
    EXPECT_TRUE(empty.useSound) << "sound is on when the key is missing";
    EXPECT_FALSE(empty.filterEnabled);
    EXPECT_FALSE(empty.error);
    EXPECT_EQ(empty.cutoff, 2);
    EXPECT_EQ(empty.effect, 0);
    EXPECT_EQ(empty.multiplier, "40");

    const auto both = readSoundSettings(IniDocument::parse(
        "[Tavrix]\nuse-sound=0\nsound-filter-enable=1\nsound-filter-cutoff=16000\n"
        "sound-stereo-exciter=1\nsound-surround-lite-enable=1\nsound-surround-lite-multiplier= 7x\n"));
    EXPECT_FALSE(both.useSound);
    EXPECT_TRUE(both.filterEnabled);
    EXPECT_FALSE(both.cutoff) << "16000 leaves the list as it is";
    EXPECT_EQ(both.effect, 2) << "lite surround wins";
    EXPECT_EQ(both.multiplier, "7x");

    const auto exciter = readSoundSettings(IniDocument::parse("[Tavrix]\nsound-stereo-exciter=1\nsound-filter-cutoff=$1F40\n"));
    EXPECT_EQ(exciter.effect, 1);
    EXPECT_EQ(exciter.cutoff, 0) << "hexadecimal 8000";
}

TEST(SoundSettings, CutoffThatIsNoNumberStopsAfterTheFilterBox) {
    const auto read = readSoundSettings(IniDocument::parse(
        "[Tavrix]\nuse-sound=0\nsound-filter-enable=1\nsound-filter-cutoff=22 kHz\n"
        "sound-surround-lite-enable=1\nsound-surround-lite-multiplier=9\n"));
    ASSERT_TRUE(read.error);
    EXPECT_EQ(*read.error, "'22 kHz' is not a valid integer value");
    EXPECT_FALSE(read.useSound);
    EXPECT_TRUE(read.filterEnabled);
    EXPECT_FALSE(read.cutoff);
    EXPECT_EQ(read.effect, 0) << "not read";
    EXPECT_EQ(read.multiplier, "40") << "not read";
}
