// The per-system key maps read through the controller, as the emulator sees them.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "controller/jamma_controller.h"
#include "controller/key_maps.h"
#include "controller/scan_codes.h"
#include "fake_keyboard.h"

namespace {

using namespace tavrix::controller;
using tavrix::test::FakeKeyboard;
using tavrix::test::PrintedLines;

struct Reading {
    std::int32_t openResult;
    std::int32_t readResult;
    JammaState state;
    std::string printed;
};

// Opens a controller for systemType, holds the keys down and reads once.
Reading readKeys(std::int32_t systemType, std::initializer_list<std::uint8_t> keys) {
    FakeKeyboard keyboard;
    PrintedLines lines;
    JammaController controller(keyboard, lines.sink());
    Reading reading{};
    reading.openResult = controller.open(nullptr, systemType, nullptr);
    keyboard.press(keys);
    reading.readResult = controller.read(&reading.state);
    reading.printed = lines.text;
    return reading;
}

Reading readAllKeysDown(std::int32_t systemType) {
    FakeKeyboard keyboard;
    PrintedLines lines;
    JammaController controller(keyboard, lines.sink());
    Reading reading{};
    reading.openResult = controller.open(nullptr, systemType, nullptr);
    for (int code = 1; code < 256; ++code) keyboard.keys[code] = 0x80;
    reading.readResult = controller.read(&reading.state);
    reading.printed = lines.text;
    return reading;
}

void expectWords(const JammaState& s, std::uint32_t special, std::uint32_t in1, std::uint32_t in2,
                 std::uint32_t in3, std::uint32_t in4) {
    EXPECT_EQ(s.special, special);
    EXPECT_EQ(s.input1, in1);
    EXPECT_EQ(s.input2, in2);
    EXPECT_EQ(s.input3, in3);
    EXPECT_EQ(s.input4, in4);
}

TEST(KeyMaps, SystemTypeSelectsItsMap) {
    for (int type : {1, 5, 6, 7, 8, 14, 15, 16}) EXPECT_EQ(keyMapForSystem(type), &MapD) << type;
    for (int type : {3, 12}) EXPECT_EQ(keyMapForSystem(type), &MapA) << type;
    EXPECT_EQ(keyMapForSystem(4), &MapB);
    EXPECT_EQ(keyMapForSystem(9), &MapC);
    for (int type : {2, 10, 11, 13, 0, -1, 17, 255, 0x7FFFFFFF})
        EXPECT_EQ(keyMapForSystem(type), nullptr) << type;
}

TEST(KeyMaps, CountsAndUnusedPositions) {
    EXPECT_EQ(MapA.count, 16);
    EXPECT_EQ(MapB.count, 16);
    EXPECT_EQ(MapC.count, 11);
    EXPECT_EQ(MapD.count, 11);
    EXPECT_EQ(MapNone.count, 0);
    // MapC uses eight positions per word; the other three below count hold scan code 0.
    for (int word = 0; word < 2; ++word)
        for (int i = 8; i < 11; ++i) EXPECT_EQ(MapC.words[word][i].scanCode, 0u) << word << "/" << i;
    // input3 and input4 of MapC and MapD are all scan code 0.
    for (const KeyMap* map : {&MapC, &MapD})
        for (int word = 2; word < 4; ++word)
            for (int i = 0; i < map->count; ++i) EXPECT_EQ(map->words[word][i].scanCode, 0u);
    for (const KeyMap* map : {&MapA, &MapB, &MapC, &MapD})
        for (int word = 0; word < 4; ++word)
            for (int i = 0; i < map->count; ++i) EXPECT_LT(map->words[word][i].bit, 32u);
}

TEST(KeyMaps, MapDUpAndZ) {
    Reading r = readKeys(1, {dik::Up, dik::Z});
    ASSERT_EQ(r.openResult, 0);
    ASSERT_EQ(r.readResult, 0);
    expectWords(r.state, 0, 0x1001, 0, 0, 0);
}

TEST(KeyMaps, MapDLeavesItsUnusedBitsAndWordsClear) {
    // Bits 7 and 9 ... 11 have no key in MapD; input3 and input4 are never set.
    Reading r = readAllKeysDown(16);
    ASSERT_EQ(r.readResult, 0);
    expectWords(r.state, 0x33, 0x717F, 0x717F, 0, 0);
}

TEST(KeyMaps, MapAOneKeySetsManyBits) {
    expectWords(readKeys(3, {dik::U}).state, 0, 0, 0x7FFF, 0, 0);
    expectWords(readKeys(12, {dik::I}).state, 0, 0, 0, 0x4FFF, 0);
    expectWords(readKeys(3, {dik::O}).state, 0, 0, 0, 0, 0x7FFF);
    // Z and X set bits in both input1 and input3.
    expectWords(readKeys(3, {dik::Z, dik::X}).state, 0, 0x60, 0, 0x3000, 0);
    expectWords(readKeys(3, {dik::Key1, dik::Key2, dik::Key3}).state, 0, 0x8000, 0x8000, 0x8000, 0);
    expectWords(readAllKeysDown(3).state, 0x33, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF);
}

TEST(KeyMaps, MapBRSetsBitsInTwoWords) {
    expectWords(readKeys(4, {dik::R}).state, 0, 0x11, 0x0F, 0, 0);
    // Keys 4 and 7 are special keys and also bits of input2 (and 4 of input4).
    expectWords(readKeys(4, {dik::Key4, dik::Key7}).state, 0x03, 0, 0xC0, 0, 0x8000);
    // input3 and input4 as in MapA.
    expectWords(readKeys(4, {dik::I, dik::O}).state, 0, 0, 0x6000, 0x4FFF, 0x7FFF);
}

TEST(KeyMaps, MapCKeysAndSpecialKeys) {
    expectWords(readKeys(9, {dik::Key1}).state, 0, 0x80, 0, 0, 0);
    expectWords(readKeys(9, {dik::Key5}).state, 0x10, 0, 0, 0, 0);
    expectWords(readAllKeysDown(9).state, 0x33, 0xFF, 0xFF, 0, 0);
}

TEST(KeyMaps, KeysFourAndSevenAreSpecialForEveryType) {
    for (int type = -2; type <= 18; ++type) {
        Reading r = readKeys(type, {dik::Key4, dik::Key7});
        ASSERT_EQ(r.readResult, 0) << type;
        EXPECT_EQ(r.state.special, 0x03u) << type;
    }
    expectWords(readKeys(1, {dik::Key5, dik::Key6}).state, 0x30, 0, 0, 0, 0);
}

TEST(KeyMaps, UnmappedTypesReportAndReadOnlySpecialKeys) {
    for (int type : {2, 10, 11, 13, 0, 17, -5, 1000}) {
        Reading r = readAllKeysDown(type);
        EXPECT_EQ(r.openResult, 0) << type;
        EXPECT_EQ(r.printed, "ERROR: System not yet emulated\nJAMMA keyboard driver 1.0 initialized\n") << type;
        ASSERT_EQ(r.readResult, 0) << type;
        expectWords(r.state, 0x33, 0, 0, 0, 0);
    }
    // A mapped type prints only the banner.
    EXPECT_EQ(readKeys(5, {}).printed, "JAMMA keyboard driver 1.0 initialized\n");
}

TEST(KeyMaps, ReadRuleOnAHandMadeMap) {
    KeyMap map;
    map.count = 3;
    map.words[0][0] = {dik::A, 4};
    map.words[0][1] = {dik::S, 4};              // two keys on one bit
    map.words[0][2] = {0x100u | dik::D, 33};    // only the low 8 bits count; bit 33 is bit 1
    map.words[1][2] = {dik::A, 31};
    map.words[2][3] = {dik::S, 7};              // beyond count: never read
    std::uint8_t keys[kKeyStateSize] = {};
    JammaState state{};

    keys[dik::A] = 0x80;
    fillJammaState(keys, map, state);
    expectWords(state, 0, 0x10, 0x80000000u, 0, 0);

    keys[dik::A] = 0;
    keys[dik::S] = 0xFF;
    fillJammaState(keys, map, state);
    expectWords(state, 0, 0x10, 0, 0, 0);

    keys[dik::S] = 0x7F;  // without the high bit the key is up
    keys[dik::D] = 0x80;
    fillJammaState(keys, map, state);
    expectWords(state, 0, 0x02, 0, 0, 0);

    map.count = 1000;  // a count beyond the arrays is clamped, not read past
    keys[dik::S] = 0x80;
    fillJammaState(keys, map, state);
    EXPECT_EQ(state.input3, 0x80u);
}

}  // namespace
