#include "core/joystick_poller.h"
#include "fixtures/fake_joystick_source.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

using namespace tavrix;

namespace {

class RecordingTimer : public PollTimer {
public:
    void start(int milliseconds) override { period = milliseconds; }
    void stop() override { period = 0; }
    bool isActive() const override { return period != 0; }
    int period = 0;
};

}  // namespace

TEST(JoystickHat, AnglesAndDirectionsPutTheStickAtTheEnds) {
    struct Case {
        unsigned angle;
        unsigned directions;
    };
    for (const Case& c : {Case{0, kHatUp}, Case{4500, kHatUp | kHatRight}, Case{9000, kHatRight},
                          Case{13500, kHatRight | kHatDown}, Case{18000, kHatDown}, Case{22500, kHatDown | kHatLeft},
                          Case{27000, kHatLeft}, Case{31500, kHatLeft | kHatUp}, Case{36000, 0}, Case{0xFFFF, 0}})
        EXPECT_EQ(hatDirectionsFromAngle(c.angle), c.directions) << c.angle;

    JoystickCapabilities range;
    range.xMin = -100;
    range.xMax = 100;
    range.yMin = -50;
    range.yMax = 50;
    JoystickReading reading{3, 4, std::nullopt, 0};
    applyHat(reading, kHatUp | kHatLeft, range);
    EXPECT_EQ(reading.x, -100);
    EXPECT_EQ(reading.y, -50);
    reading = {3, 4, std::nullopt, 0};
    applyHat(reading, kHatRight, range);
    EXPECT_EQ(reading.x, 100);
    EXPECT_EQ(reading.y, 4);  // no vertical direction: the stick's own position
}

TEST(JoystickPoller, TicksReportChangesUntilTheDeviceGoes) {
    auto source = std::make_shared<test::FakeJoystickSource>();
    RecordingTimer timer;
    JoystickPoller poller(source, timer);
    std::vector<std::array<int, 3>> moves;
    std::vector<std::pair<int, bool>> buttons;
    int removed = 0;
    poller.onMove = [&](int x, int y, uint16_t status, bool) { moves.push_back({x, y, status}); };
    poller.onButtonChange = [&](int button, bool pressed, int, int) { buttons.emplace_back(button, pressed); };
    poller.onRemoved = [&] { ++removed; };

    EXPECT_FALSE(poller.startCapture());  // no device yet
    EXPECT_FALSE(timer.isActive());
    source->attach(0);
    poller.setInterval(100);
    poller.scaling().setXScaledBy(2);
    poller.scaling().setYScaledBy(2);
    ASSERT_TRUE(poller.startCapture());
    EXPECT_EQ(timer.period, 100);
    EXPECT_EQ(poller.thresholdUnits(), 66);  // 0.1 % of 65535

    // Without polling only a move beyond the threshold or a button change is reported.
    poller.poll();
    source->state[0].x += 60;
    poller.poll();
    source->state[0] = {65535, 0, std::nullopt, 0b101};
    poller.poll();
    source->state[0].buttons = 0b100;
    poller.poll();
    const std::vector<std::array<int, 3>> expected = {{1, 1, 0}, {2, 0, 0b101}, {2, 0, 0b100}};
    EXPECT_EQ(moves, expected);
    EXPECT_EQ(buttons, (std::vector<std::pair<int, bool>>{{1, true}, {3, true}, {1, false}}));

    source->detach(0);
    poller.poll();
    EXPECT_EQ(removed, 1);
    EXPECT_FALSE(poller.capturing());
    EXPECT_FALSE(timer.isActive());
}
