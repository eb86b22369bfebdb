// The Linux keyboard source: evdev key codes to DirectInput scan codes, and the open failure
// when there is no keyboard device to read.
#include <gtest/gtest.h>

#include <linux/input.h>

#include <filesystem>
#include <fstream>

#include "controller/evdev_keyboard.h"
#include "controller/jamma_controller.h"
#include "controller/scan_codes.h"
#include "fake_keyboard.h"
#include "fixtures/temp_dir.h"

namespace {

using namespace tavrix::controller;
using tavrix::test::PrintedLines;

TEST(EvdevTranslation, KeysTheMapsUse) {
    EXPECT_EQ(scanCodeForEvdevKey(KEY_1), dik::Key1);
    EXPECT_EQ(scanCodeForEvdevKey(KEY_7), dik::Key7);
    EXPECT_EQ(scanCodeForEvdevKey(KEY_Q), dik::Q);
    EXPECT_EQ(scanCodeForEvdevKey(KEY_A), dik::A);
    EXPECT_EQ(scanCodeForEvdevKey(KEY_H), dik::H);
    EXPECT_EQ(scanCodeForEvdevKey(KEY_Z), dik::Z);
    EXPECT_EQ(scanCodeForEvdevKey(KEY_M), dik::M);
    // Extended keys move to DirectInput's 0x80+ codes.
    EXPECT_EQ(scanCodeForEvdevKey(KEY_UP), 0xC8);
    EXPECT_EQ(scanCodeForEvdevKey(KEY_LEFT), 0xCB);
    EXPECT_EQ(scanCodeForEvdevKey(KEY_RIGHT), 0xCD);
    EXPECT_EQ(scanCodeForEvdevKey(KEY_DOWN), 0xD0);
}

TEST(EvdevTranslation, OtherKeyGroups) {
    EXPECT_EQ(scanCodeForEvdevKey(KEY_ESC), 0x01);
    EXPECT_EQ(scanCodeForEvdevKey(KEY_KPDOT), 0x53);
    EXPECT_EQ(scanCodeForEvdevKey(KEY_102ND), 0x56);
    EXPECT_EQ(scanCodeForEvdevKey(KEY_F11), 0x57);
    EXPECT_EQ(scanCodeForEvdevKey(KEY_KPENTER), 0x9C);
    EXPECT_EQ(scanCodeForEvdevKey(KEY_RIGHTCTRL), 0x9D);
    EXPECT_EQ(scanCodeForEvdevKey(KEY_RIGHTALT), 0xB8);
    EXPECT_EQ(scanCodeForEvdevKey(KEY_DELETE), 0xD3);
    // Codes DirectInput has no key for, mouse buttons and codes out of range.
    EXPECT_EQ(scanCodeForEvdevKey(84), 0);
    EXPECT_EQ(scanCodeForEvdevKey(BTN_LEFT), 0);
    EXPECT_EQ(scanCodeForEvdevKey(KEY_MAX), 0);
    EXPECT_EQ(scanCodeForEvdevKey(100000), 0);
}

TEST(EvdevTranslation, NoTwoKeysShareAScanCode) {
    bool seen[256] = {};
    for (unsigned code = 0; code < 256; ++code) {
        const std::uint8_t scan = scanCodeForEvdevKey(code);
        if (scan == 0) continue;
        EXPECT_FALSE(seen[scan]) << "scan code " << int(scan) << " again at evdev " << code;
        seen[scan] = true;
    }
}

TEST(EvdevTranslation, KeyBitsAreOredIntoTheState) {
    std::uint8_t keys[kKeyStateSize] = {};
    keys[dik::A] = 0x80;  // down on another keyboard already

    std::uint8_t bits[KEY_MAX / 8 + 1] = {};
    auto set = [&bits](unsigned code) { bits[code / 8] |= 1u << (code % 8); };
    set(KEY_UP);
    set(KEY_Z);
    set(BTN_LEFT);  // not a keyboard key: ignored
    addEvdevKeys(bits, sizeof bits, keys);

    int down = 0;
    for (std::uint8_t k : keys) down += (k & 0x80) != 0;
    EXPECT_EQ(down, 3);
    EXPECT_EQ(keys[dik::Up], 0x80);
    EXPECT_EQ(keys[dik::Z], 0x80);
    EXPECT_EQ(keys[dik::A], 0x80);

    // A short bit array is read only as far as it goes.
    std::uint8_t shortKeys[kKeyStateSize] = {};
    addEvdevKeys(bits, KEY_Z / 8, shortKeys);
    EXPECT_EQ(shortKeys[dik::Z], 0);
    addEvdevKeys(bits, KEY_Z / 8 + 1, shortKeys);
    EXPECT_EQ(shortKeys[dik::Z], 0x80);
    EXPECT_EQ(shortKeys[dik::Up], 0);
}

TEST(EvdevSource, DirectoryWithoutKeyboardsFailsToOpen) {
    tavrix::test::TempDir dir;
    std::ofstream(dir.path() / "event0") << "not a device";
    std::ofstream(dir.path() / "mouse0") << "";
    EvdevKeyboardSource source(dir.path().string());
    EXPECT_EQ(source.createInput(nullptr), result::Ok);
    EXPECT_EQ(source.createDevice(), result::NotFound);
    EXPECT_EQ(source.keyboardCount(), 0u);

    EvdevKeyboardSource missing((dir.path() / "nowhere").string());
    EXPECT_EQ(missing.createDevice(), result::NotFound);

    // Through the controller: the device line, nothing left open, reads refused.
    PrintedLines lines;
    JammaController controller(source, lines.sink());
    EXPECT_EQ(controller.open(nullptr, 1, nullptr), -1);
    EXPECT_EQ(lines.text, "ERROR: DirectInput: Create Device Failed");
    JammaState state{};
    EXPECT_EQ(controller.read(&state), -1);
}

TEST(EvdevSource, StepsBeforeAnOpenDeviceAreRefused) {
    tavrix::test::TempDir dir;
    EvdevKeyboardSource source(dir.path().string());
    std::uint8_t keys[kKeyStateSize];
    EXPECT_NE(source.setDataFormat(), result::Ok);
    EXPECT_NE(source.acquire(), result::Ok);
    EXPECT_EQ(source.getDeviceState(keys, sizeof keys), result::NotAcquired);
    EXPECT_EQ(source.getDeviceState(keys, 16), result::InvalidParam);
    EXPECT_EQ(source.getDeviceState(nullptr, sizeof keys), result::InvalidParam);
}

}  // namespace
