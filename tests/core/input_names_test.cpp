#include "core/input_names.h"
#include "core/virtual_keys.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>

using namespace tavrix;

namespace {

int countRows(const InputNameTable& table) {
    int rows = 0;
    for (int code = kFirstInputCode; code <= kLastInputCode; ++code)
        if (!table.token(code).empty()) ++rows;
    return rows;
}

}  // namespace

TEST(InputNameTable, BothLanguagesHaveTheSameRowsAndTokens) {
    const InputNameTable english(true), korean(false);
    EXPECT_EQ(countRows(english), 97 + 32);
    for (int code = kFirstInputCode; code <= kLastInputCode; ++code) {
        EXPECT_EQ(english.token(code), korean.token(code)) << code;
        // A row has both a token and a name, or neither.
        EXPECT_EQ(english.token(code).empty(), english.name(code).empty()) << code;
        EXPECT_EQ(korean.token(code).empty(), korean.name(code).empty()) << code;
    }
    for (int code : {256, 257, 258, 259, 91, 0, 292, -1}) {
        EXPECT_EQ(english.token(code), "") << code;
        EXPECT_EQ(english.name(code), "") << code;
    }
}

TEST(InputNameTable, TokensAreScanCodesOrJoystickInputs) {
    const InputNameTable table(true);
    std::set<std::string> tokens;
    for (int code = kFirstInputCode; code < kJoystickUpCode; ++code) {
        const std::string& token = table.token(code);
        if (token.empty()) continue;
        ASSERT_EQ(token.size(), 3u) << code;
        EXPECT_EQ(token[0], 'k');
        for (char c : token.substr(1)) EXPECT_TRUE(std::isdigit(c) || (c >= 'a' && c <= 'f')) << token;
        EXPECT_TRUE(tokens.insert(token).second) << "duplicate token " << token;
    }
    // Extended keys carry the 0x80 bit; Shift, Ctrl and Alt are fixed scan codes.
    EXPECT_EQ(table.token(38), "kc8");
    EXPECT_EQ(table.token(37), "kcb");
    EXPECT_EQ(table.token(39), "kcd");
    EXPECT_EQ(table.token(40), "kd0");
    EXPECT_EQ(table.token(111), "kb5");
    EXPECT_EQ(table.token(16), "k36");
    EXPECT_EQ(table.token(17), "k1d");
    EXPECT_EQ(table.token(18), "k38");
    EXPECT_EQ(table.token(13), "k1c");
    EXPECT_EQ(table.token(121), "k44");
    EXPECT_EQ(table.token(122), "k57");

    EXPECT_EQ(table.token(260), "j1up");
    EXPECT_EQ(table.token(263), "j1right");
    EXPECT_EQ(table.token(264), "j1b1");
    EXPECT_EQ(table.token(275), "j1b12");
    EXPECT_EQ(table.token(276), "j2up");
    EXPECT_EQ(table.token(278), "j2left");
    EXPECT_EQ(table.token(291), "j2b12");
}

TEST(InputNameTable, EnglishNames) {
    const InputNameTable table(true);
    EXPECT_EQ(table.name(87), "W");
    EXPECT_EQ(table.name(27), "escape");
    EXPECT_EQ(table.name(103), "numpad 7");
    EXPECT_EQ(table.name(38), "up");
    EXPECT_EQ(table.name(278), "joy2 left");
    EXPECT_EQ(table.name(264), "joy1 button 1");
    // Button 12 uses all fourteen bytes.
    EXPECT_EQ(table.name(275), "joy1 button 12");
    EXPECT_EQ(table.name(291), "joy2 button 12");
}

TEST(InputNameTable, NamesAreUniqueAndFitFourteenBytesInBothLanguages) {
    for (bool english : {true, false}) {
        const InputNameTable table(english);
        std::set<std::string> names;
        for (int code = kFirstInputCode; code <= kLastInputCode; ++code) {
            const std::string& name = table.name(code);
            if (name.empty()) continue;
            EXPECT_LE(name.size(), kMaxInputNameBytes) << name;
            EXPECT_TRUE(names.insert(name).second) << "duplicate name " << name;
            // The capture marker must never be a name.
            EXPECT_NE(name, " ");
        }
    }
}

TEST(InputNameTable, KoreanNamesDifferOnlyOnLanguageRows) {
    const InputNameTable english(true), korean(false);
    const std::set<int> languageRows = {32, 37, 38, 39, 40, 186, 187, 188, 189, 190, 222};
    for (int code = kFirstInputCode; code < kJoystickUpCode; ++code) {
        if (english.name(code).empty()) continue;
        const bool differs = english.name(code) != korean.name(code);
        EXPECT_EQ(differs, languageRows.count(code) == 1) << code;
    }
    for (int code = kJoystickUpCode; code <= kLastInputCode; ++code) {
        EXPECT_NE(english.name(code), korean.name(code)) << code;
        EXPECT_EQ(korean.name(code).rfind(code < 276 ? "joy1 " : "joy2 ", 0), 0u) << code;
    }
    // The button number survives in full.
    EXPECT_EQ(korean.name(275).substr(korean.name(275).size() - 3), " 12");
    EXPECT_EQ(korean.name(291).substr(korean.name(291).size() - 3), " 12");
}

TEST(InputNameTable, ScansMatchExactlyAndEmptyMatchesTheCodesWithoutRows) {
    InputNameTable table(true);
    EXPECT_EQ(table.nameOfToken("kc8"), "up");
    EXPECT_EQ(table.tokenOfName("joy2 button 3"), "j2b3");
    EXPECT_EQ(table.codeOfToken("j2left"), 278);
    EXPECT_EQ(table.nameOfToken("K3D"), std::nullopt);
    EXPECT_EQ(table.tokenOfName("Up"), std::nullopt);
    EXPECT_EQ(table.tokenOfName(" "), std::nullopt);
    EXPECT_EQ(table.codeOfToken(""), 1);
    EXPECT_EQ(table.nameOfToken(""), "");
    EXPECT_EQ(table.tokenOfName(""), "");

    // A rebuild in the other language replaces the names only.
    table.build(false);
    EXPECT_EQ(table.tokenOfName("up"), std::nullopt);
    EXPECT_EQ(table.nameOfToken("kc8"), table.name(38));
    table.build(true);
    EXPECT_EQ(table.nameOfToken("kc8"), "up");
}

TEST(InputNameTable, CutNeverSplitsACharacter) {
    EXPECT_EQ(cutUtf8("joy1 button 12", 14), "joy1 button 12");
    EXPECT_EQ(cutUtf8("joy1 button 123", 14), "joy1 button 12");
    // "가나다라마" is 15 bytes: the cut falls after four characters, not inside the fifth.
    EXPECT_EQ(cutUtf8("가나다라마", 14), "가나다라");
    EXPECT_EQ(cutUtf8("ab가", 4), "ab");
    EXPECT_EQ(cutUtf8("", 14), "");
}

TEST(VirtualKeys, KeysMapToTheirWindowsCodes) {
    namespace k = toolkit_key;
    EXPECT_EQ(windowsVirtualKey('W', false), 87);
    EXPECT_EQ(windowsVirtualKey('7', false), 55);
    EXPECT_EQ(windowsVirtualKey('7', true), 103);
    EXPECT_EQ(windowsVirtualKey('0', true), 96);
    EXPECT_EQ(windowsVirtualKey('*', true), 106);
    EXPECT_EQ(windowsVirtualKey('+', true), 107);
    EXPECT_EQ(windowsVirtualKey('-', true), 109);
    EXPECT_EQ(windowsVirtualKey('.', true), 110);
    EXPECT_EQ(windowsVirtualKey('/', true), 111);
    EXPECT_EQ(windowsVirtualKey(k::Enter, true), 13);
    EXPECT_EQ(windowsVirtualKey(k::Return, false), 13);
    EXPECT_EQ(windowsVirtualKey(k::Shift, false), 16);
    EXPECT_EQ(windowsVirtualKey(k::Control, false), 17);
    EXPECT_EQ(windowsVirtualKey(k::Alt, false), 18);
    EXPECT_EQ(windowsVirtualKey(k::F1, false), 112);
    EXPECT_EQ(windowsVirtualKey(k::F1 + 11, false), 123);
    EXPECT_EQ(windowsVirtualKey(k::Up, false), 38);
    EXPECT_EQ(windowsVirtualKey(k::Up, true), 38);  // keypad 8 without num lock
    EXPECT_EQ(windowsVirtualKey(k::PageDown, false), 34);
    EXPECT_EQ(windowsVirtualKey(k::Calculator, false), 183);
    // Punctuation, plain and shifted, is its key.
    EXPECT_EQ(windowsVirtualKey(';', false), 186);
    EXPECT_EQ(windowsVirtualKey('=', false), 187);
    EXPECT_EQ(windowsVirtualKey('+', false), 187);
    EXPECT_EQ(windowsVirtualKey('-', false), 189);
    EXPECT_EQ(windowsVirtualKey('.', false), 190);
    EXPECT_EQ(windowsVirtualKey('/', false), 191);
    EXPECT_EQ(windowsVirtualKey('~', false), 192);
    EXPECT_EQ(windowsVirtualKey('[', false), 219);
    EXPECT_EQ(windowsVirtualKey('\\', false), 220);
    EXPECT_EQ(windowsVirtualKey(']', false), 221);
    EXPECT_EQ(windowsVirtualKey('\'', false), 222);
    EXPECT_EQ(windowsVirtualKey('*', false), '8');
    // Keys without a code of their own.
    EXPECT_EQ(windowsVirtualKey(0x01ffffff, false), 0);
    EXPECT_EQ(windowsVirtualKey(0xe9, false), 0);
}

TEST(VirtualKeys, EveryNamedKeyIsReachable) {
    // Each keyboard row of the table can be captured from some key press.
    namespace k = toolkit_key;
    std::set<int> reachable;
    std::vector<int> keys = {k::Escape, k::Tab, k::Backspace, k::Return, k::Insert, k::Delete,
                             k::Pause, k::Home, k::End, k::Left, k::Up, k::Right, k::Down,
                             k::PageUp, k::PageDown, k::Shift, k::Control, k::Alt, k::CapsLock,
                             k::NumLock, k::ScrollLock, k::Calculator};
    for (int f = k::F1; f <= k::F24; ++f) keys.push_back(f);
    for (int c = 0x20; c < 0x7f; ++c) keys.push_back(c);
    for (int key : keys)
        for (bool keypad : {false, true}) reachable.insert(windowsVirtualKey(key, keypad));
    const InputNameTable table(true);
    for (int code = kFirstInputCode; code < kJoystickUpCode; ++code)
        if (!table.name(code).empty()) {
            EXPECT_TRUE(reachable.count(code)) << table.name(code);
        }
    EXPECT_EQ(table.name(windowsVirtualKey(k::Meta, false)), "");
}
