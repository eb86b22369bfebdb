// Open, read and close over a fake keyboard: the printed lines, the results and what is
// released on every path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controller/jamma_controller.h"
#include "controller/scan_codes.h"
#include "fake_keyboard.h"

namespace {

using namespace tavrix::controller;
using tavrix::test::FakeKeyboard;
using tavrix::test::PrintedLines;

constexpr std::uint32_t kSentinel = 0xDEADBEEF;
const JammaState kUntouched{kSentinel, kSentinel, kSentinel, kSentinel, kSentinel};

bool untouched(const JammaState& s) {
    return s.special == kSentinel && s.input1 == kSentinel && s.input2 == kSentinel &&
           s.input3 == kSentinel && s.input4 == kSentinel;
}

using Calls = std::vector<std::string>;

TEST(Lifecycle, SuccessfulOpenReadClose) {
    FakeKeyboard keyboard;
    PrintedLines lines;
    JammaController controller(keyboard, lines.sink());
    int window = 0, module = 0;

    ASSERT_EQ(controller.open(&window, 1, &module), 0);
    EXPECT_TRUE(controller.isOpen());
    EXPECT_EQ(lines.text, "JAMMA keyboard driver 1.0 initialized\n");
    EXPECT_EQ(keyboard.calls,
              (Calls{"createInput", "createDevice", "setDataFormat", "setCooperativeLevel", "acquire"}));
    EXPECT_EQ(keyboard.moduleSeen, &module);
    EXPECT_EQ(keyboard.windowSeen, &window);
    EXPECT_EQ(keyboard.flagsSeen, 10u);  // non-exclusive, background

    keyboard.press({dik::Down, dik::Key4});
    JammaState state = kUntouched;
    ASSERT_EQ(controller.read(&state), 0);
    EXPECT_EQ(state.special, 0x01u);
    EXPECT_EQ(state.input1, 0x02u);
    EXPECT_EQ(state.input2 | state.input3 | state.input4, 0u);

    // A later read reflects the keys as they are now.
    keyboard.releaseAllKeys();
    ASSERT_EQ(controller.read(&state), 0);
    EXPECT_EQ(state.special | state.input1, 0u);

    keyboard.calls.clear();
    EXPECT_EQ(controller.close(), 0);
    EXPECT_EQ(keyboard.calls, (Calls{"unacquire", "releaseDevice", "releaseInput"}));
    EXPECT_EQ(keyboard.devicesAlive, 0);
    EXPECT_EQ(keyboard.inputsAlive, 0);
    EXPECT_FALSE(controller.isOpen());

    // Closing twice is harmless and releases nothing more.
    keyboard.calls.clear();
    EXPECT_EQ(controller.close(), 0);
    EXPECT_TRUE(keyboard.calls.empty());
    EXPECT_EQ(lines.text, "JAMMA keyboard driver 1.0 initialized\n");
}

TEST(Lifecycle, InputObjectFailuresPrintTheirCode) {
    const struct {
        SourceResult code;
        const char* line;
    } cases[] = {
        {0x8007000E, "ERROR: DirectInput DIERR_OUTOFMEMORY\n"},
        {0x80070057, "ERROR: DirectInput DIERR_INVALIDPARAM\n"},
        {0x8007047E, "ERROR: DirectInput DIERR_OLDDIRECTINPUTVERSION\n"},
        {0x80070481, "ERROR: DirectInput DIERR_BETADIRECTINPUTVERSION\n"},
        {0x80004005, "ERROR: unknown DirectInputCreate Error!\n"},
        {1, "ERROR: unknown DirectInputCreate Error!\n"},
    };
    for (const auto& c : cases) {
        FakeKeyboard keyboard;
        keyboard.createInputResult = c.code;
        PrintedLines lines;
        JammaController controller(keyboard, lines.sink());
        EXPECT_EQ(controller.open(nullptr, 3, nullptr), -1) << std::hex << c.code;
        EXPECT_EQ(lines.text, std::string("ERROR: DirectInputCreate failed\n") + c.line);
        EXPECT_EQ(keyboard.calls, Calls{"createInput"});  // nothing made, nothing to release
        EXPECT_FALSE(controller.isOpen());
    }
}

TEST(Lifecycle, EachFailingDeviceStepPrintsReleasesAndFails) {
    struct Case {
        SourceResult FakeKeyboard::*step;
        const char* line;
        Calls calls;
    };
    const Case cases[] = {
        {&FakeKeyboard::createDeviceResult, "ERROR: DirectInput: Create Device Failed",
         {"createInput", "createDevice", "releaseInput"}},
        {&FakeKeyboard::setDataFormatResult, "ERROR: DirectInput:Set Data Format failed\n",
         {"createInput", "createDevice", "setDataFormat", "unacquire", "releaseDevice", "releaseInput"}},
        {&FakeKeyboard::setCooperativeLevelResult, "ERROR: DirectInput:SetCooperative Level Failed\n",
         {"createInput", "createDevice", "setDataFormat", "setCooperativeLevel", "unacquire",
          "releaseDevice", "releaseInput"}},
        {&FakeKeyboard::acquireResult, "ERROR: DirectInput: Acquire Failed\n",
         {"createInput", "createDevice", "setDataFormat", "setCooperativeLevel", "acquire",
          "unacquire", "releaseDevice", "releaseInput"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        FakeKeyboard keyboard;
        keyboard.*c.step = result::Generic;
        PrintedLines lines;
        JammaController controller(keyboard, lines.sink());
        EXPECT_EQ(controller.open(nullptr, 9, nullptr), -1);
        EXPECT_EQ(lines.text, c.line);
        EXPECT_EQ(keyboard.calls, c.calls);
        EXPECT_EQ(keyboard.devicesAlive, 0);
        EXPECT_EQ(keyboard.inputsAlive, 0);
        EXPECT_FALSE(controller.isOpen());

        // A failed open ends closed: reads fail without touching the record.
        JammaState state = kUntouched;
        EXPECT_EQ(controller.read(&state), -1);
        EXPECT_TRUE(untouched(state));
        EXPECT_EQ(controller.close(), 0);
    }
}

TEST(Lifecycle, UnmappedTypeLineComesBeforeAFailure) {
    FakeKeyboard keyboard;
    keyboard.createDeviceResult = result::NotFound;
    PrintedLines lines;
    JammaController controller(keyboard, lines.sink());
    EXPECT_EQ(controller.open(nullptr, 13, nullptr), -1);
    EXPECT_EQ(lines.text, "ERROR: System not yet emulated\nERROR: DirectInput: Create Device Failed");
}

TEST(Lifecycle, ReadWhileClosedOrIntoNothingFails) {
    FakeKeyboard keyboard;
    PrintedLines lines;
    JammaController controller(keyboard, lines.sink());
    keyboard.press({dik::Key4});

    JammaState state = kUntouched;
    EXPECT_EQ(controller.read(&state), -1);  // never opened
    EXPECT_TRUE(untouched(state));

    ASSERT_EQ(controller.open(nullptr, 1, nullptr), 0);
    EXPECT_EQ(controller.read(nullptr), -1);
    controller.close();
    EXPECT_EQ(controller.read(&state), -1);  // after close
    EXPECT_TRUE(untouched(state));
    EXPECT_EQ(keyboard.count("getDeviceState"), 0);
}

TEST(Lifecycle, LostKeyboardIsReacquiredWithinOneRead) {
    FakeKeyboard keyboard;
    PrintedLines lines;
    JammaController controller(keyboard, lines.sink());
    ASSERT_EQ(controller.open(nullptr, 3, nullptr), 0);
    keyboard.press({dik::U});
    keyboard.calls.clear();

    keyboard.lostReads = 2;
    JammaState state = kUntouched;
    ASSERT_EQ(controller.read(&state), 0);
    EXPECT_EQ(state.input2, 0x7FFFu);
    EXPECT_EQ(keyboard.calls, (Calls{"getDeviceState", "acquire", "getDeviceState", "acquire",
                                     "getDeviceState"}));

    // The acquire result is not what decides: the next state read is.
    keyboard.calls.clear();
    keyboard.acquireResult = result::Generic;
    keyboard.lostReads = 1;
    EXPECT_EQ(controller.read(&state), 0);
    EXPECT_EQ(keyboard.count("acquire"), 1);
}

TEST(Lifecycle, KeyboardThatStaysLostFailsTheReadInsteadOfHanging) {
    FakeKeyboard keyboard;
    PrintedLines lines;
    JammaController controller(keyboard, lines.sink());
    ASSERT_EQ(controller.open(nullptr, 1, nullptr), 0);
    keyboard.calls.clear();

    keyboard.lostReads = 1000000;
    JammaState state = kUntouched;
    EXPECT_EQ(controller.read(&state), -1);
    EXPECT_TRUE(untouched(state));
    EXPECT_EQ(keyboard.count("acquire"), JammaController::kMaxReacquireAttempts);
    EXPECT_EQ(keyboard.count("getDeviceState"), JammaController::kMaxReacquireAttempts + 1);
    EXPECT_TRUE(controller.isOpen());

    // Once the keyboard is back, the next read succeeds.
    keyboard.lostReads = 0;
    keyboard.press({dik::Up});
    ASSERT_EQ(controller.read(&state), 0);
    EXPECT_EQ(state.input1, 0x01u);
}

TEST(Lifecycle, OtherReadFailuresAreNotRetried) {
    FakeKeyboard keyboard;
    PrintedLines lines;
    JammaController controller(keyboard, lines.sink());
    ASSERT_EQ(controller.open(nullptr, 1, nullptr), 0);
    keyboard.calls.clear();
    keyboard.stateResult = result::NotAcquired;
    JammaState state = kUntouched;
    EXPECT_EQ(controller.read(&state), -1);
    EXPECT_TRUE(untouched(state));
    EXPECT_EQ(keyboard.calls, Calls{"getDeviceState"});
}

TEST(Lifecycle, OpeningAgainReleasesTheFirstKeyboardAndTakesTheNewType) {
    FakeKeyboard keyboard;
    PrintedLines lines;
    JammaController controller(keyboard, lines.sink());
    ASSERT_EQ(controller.open(nullptr, 1, nullptr), 0);
    ASSERT_EQ(controller.open(nullptr, 9, nullptr), 0);
    EXPECT_EQ(keyboard.devicesAlive, 1);
    EXPECT_EQ(keyboard.inputsAlive, 1);
    EXPECT_EQ(&controller.keyMap(), &MapC);

    keyboard.press({dik::Key1});
    JammaState state{};
    ASSERT_EQ(controller.read(&state), 0);
    EXPECT_EQ(state.input1, 0x80u);
}

TEST(Lifecycle, DestroyingAnOpenControllerReleasesTheKeyboard) {
    FakeKeyboard keyboard;
    PrintedLines lines;
    {
        JammaController controller(keyboard, lines.sink());
        ASSERT_EQ(controller.open(nullptr, 1, nullptr), 0);
    }
    EXPECT_EQ(keyboard.devicesAlive, 0);
    EXPECT_EQ(keyboard.inputsAlive, 0);
}

}  // namespace
