#include "core/joystick_scaling.h"
#include "core/input_names.h"

#include <gtest/gtest.h>

using namespace tavrix;

namespace {

JoystickScaling scalingFor(int min, int max, int16_t steps) {
    JoystickScaling scaling;
    scaling.xMin = scaling.yMin = min;
    scaling.xMax = scaling.yMax = max;
    scaling.setXScaledBy(steps);
    scaling.setYScaledBy(steps);
    return scaling;
}

}  // namespace

TEST(JoystickScaling, UnsignedRangeSplitsIntoThreeBands) {
    const JoystickScaling s = scalingFor(0, 65535, 2);
    EXPECT_EQ(s.scaleX(0), 0);
    EXPECT_EQ(s.scaleX(16383), 0);
    EXPECT_EQ(s.scaleX(16384), 1);
    EXPECT_EQ(s.scaleX(32767), 1);
    EXPECT_EQ(s.scaleX(49151), 1);
    EXPECT_EQ(s.scaleX(49152), 2);
    EXPECT_EQ(s.scaleX(65535), 2);
    EXPECT_EQ(s.scaleY(16383), 0);
    EXPECT_EQ(s.scaleY(49152), 2);
    // The empty low side is raised to a step of one.
    EXPECT_DOUBLE_EQ(s.xLowStep(), 1.0);
    EXPECT_DOUBLE_EQ(s.xHighStep(), 32767.5);
}

TEST(JoystickScaling, TiesRoundToEvenAndSidesUseTheirOwnStep) {
    const JoystickScaling s = scalingFor(-8, 4, 2);  // low step 4, high step 2
    EXPECT_EQ(s.scaleX(1), 0);   // 0.5
    EXPECT_EQ(s.scaleX(3), 2);   // 1.5
    EXPECT_EQ(s.scaleX(-2), 0);  // -0.5
    EXPECT_EQ(s.scaleX(-6), -2); // -1.5
    EXPECT_EQ(s.scaleX(-8), -2);
}

TEST(JoystickScaling, ScaledByZeroActsAsOneAndStepsNeedRecalculation) {
    JoystickScaling s;
    EXPECT_EQ(s.scaleX(30000), 0);  // no steps yet
    s.xMin = 0;
    s.xMax = 65535;
    s.setXScaledBy(0);
    EXPECT_EQ(s.xScaledBy(), 1);
    EXPECT_EQ(s.scaleX(32767), 0);
    EXPECT_EQ(s.scaleX(32768), 1);
    s.setZScaledBy(0);
    EXPECT_EQ(s.zScaledBy(), 1);
}

TEST(JoystickScaling, ZeroCapabilitiesGiveStepsOfOne) {
    const JoystickScaling s = scalingFor(0, 0, 2);
    EXPECT_DOUBLE_EQ(s.xHighStep(), 1.0);
    EXPECT_DOUBLE_EQ(s.yLowStep(), 1.0);
    EXPECT_EQ(s.scaleX(3), 3);
}

TEST(JoystickScaling, ZAxis) {
    JoystickScaling s;
    s.maxZ = 0;  // counts as 32767
    s.setZScaledBy(2);
    EXPECT_DOUBLE_EQ(s.zStep(), 16383.5);
    EXPECT_EQ(s.scaleZ(32767), 2);
    s.maxZ = 5;
    s.minZ = 5;
    s.recalcScaling();
    EXPECT_EQ(s.scaleZ(7), 0);  // empty range: no division by zero
}

TEST(JoystickScaling, ThresholdIsClampedAndRounded) {
    EXPECT_EQ(clampEventThreshold(25), 10);
    EXPECT_EQ(clampEventThreshold(-1), 0);
    EXPECT_EQ(clampEventThreshold(0.1), 0.1);
    EXPECT_EQ(clampEventThreshold(10), 10);
    EXPECT_EQ(thresholdUnits(65535, 0.1), 66);
    EXPECT_EQ(thresholdUnits(65535, 10), 6554);  // 6553.5 rounds to even
    EXPECT_EQ(thresholdUnits(0, 5), 0);
}

TEST(JoystickInputCode, DeflectionBeatsButtonsAndHorizontalBeatsVertical) {
    EXPECT_EQ(joystickInputCode(1, 1, 0, 1), std::nullopt);
    EXPECT_EQ(joystickInputCode(1, 1, 0, 2), std::nullopt);
    EXPECT_EQ(joystickInputCode(1, 0, 0, 1), 260);
    EXPECT_EQ(joystickInputCode(1, 2, 0, 1), 261);
    EXPECT_EQ(joystickInputCode(0, 1, 0, 1), 262);
    EXPECT_EQ(joystickInputCode(2, 1, 0, 1), 263);
    EXPECT_EQ(joystickInputCode(0, 0, 0, 2), 278);   // joystick 2 up-left: left
    EXPECT_EQ(joystickInputCode(2, 2, 1, 1), 263);
    EXPECT_EQ(joystickInputCode(1, 0, 4, 1), 260);
    EXPECT_EQ(joystickInputCode(1, 1, 1, 1), 264);
    EXPECT_EQ(joystickInputCode(1, 1, 4, 1), 266);
    EXPECT_EQ(joystickInputCode(1, 1, 2048, 1), 275);
    EXPECT_EQ(joystickInputCode(1, 1, 2048, 2), 291);
    EXPECT_EQ(joystickInputCode(1, 1, 3, 1), 264);     // buttons 1 and 2
    EXPECT_EQ(joystickInputCode(1, 1, 4096, 1), 264);  // button 13
    EXPECT_EQ(joystickInputCode(1, 1, 0x8000, 2), 280);
    const InputNameTable names(true);
    EXPECT_EQ(names.name(*joystickInputCode(0, 0, 0, 2)), "joy2 left");
    EXPECT_EQ(names.name(*joystickInputCode(1, 1, 3, 1)), "joy1 button 1");
}
