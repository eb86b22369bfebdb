#include "fixtures/fake_joystick_source.h"
#include "fixtures/virtual_joystick.h"
#include "platform/joystickex.h"

#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace tavrix;
using tavrix::test::FakeJoystickSource;
using tavrix::test::VirtualStick;

namespace {

struct Move {
    int x, y;
    uint16_t buttons;
};

class Joystick : public ::testing::Test {
protected:
    std::shared_ptr<FakeJoystickSource> source = std::make_shared<FakeJoystickSource>();
    TJoystickex joystick{source};
    std::vector<Move> moves;

    // Set up as the main window sets up its two joysticks.
    void configure(TGamePort port, int interval = 100) {
        joystick.setGamePort(port);
        joystick.setPolling(true);
        joystick.setInterval(interval);
        joystick.setEventThreshold(0.1);
        joystick.setScaled(true);
        joystick.setXScaledBy(2);
        joystick.setYScaledBy(2);
        joystick.setZScaledBy(2);
        joystick.JoyMove = [this](TJoystickex*, int x, int y, uint16_t buttons, bool calibrating) {
            EXPECT_FALSE(calibrating);
            moves.push_back({x, y, buttons});
        };
    }
};

}  // namespace

TEST_F(Joystick, DefaultsAndSetterLimits) {
    EXPECT_EQ(joystick.GamePort(), TGamePort::Gameport1);
    EXPECT_FALSE(joystick.Polling());
    EXPECT_EQ(joystick.Interval(), 50);
    EXPECT_DOUBLE_EQ(joystick.EventThreshold(), 0.1);
    EXPECT_TRUE(joystick.Scaled());
    EXPECT_EQ(joystick.XScaledBy(), 1);
    EXPECT_EQ(joystick.MaxZ(), 32767);
    EXPECT_EQ(joystick.MinZ(), 0);
    EXPECT_EQ(joystick.NumButtons(), 2);
    EXPECT_FALSE(joystick.active());

    joystick.setEventThreshold(25);
    EXPECT_DOUBLE_EQ(joystick.EventThreshold(), 10);
    joystick.setEventThreshold(-1);
    EXPECT_DOUBLE_EQ(joystick.EventThreshold(), 0);
    joystick.setXScaledBy(0);
    joystick.setYScaledBy(0);
    EXPECT_EQ(joystick.XScaledBy(), 1);
    EXPECT_EQ(joystick.YScaledBy(), 1);

    // A port without a device has zero capabilities; the steps are raised to one.
    joystick.setGamePort(TGamePort::Gameport2);
    joystick.setXScaledBy(2);
    EXPECT_EQ(joystick.NumButtons(), 0);
    EXPECT_DOUBLE_EQ(joystick.scaling().xHighStep(), 1.0);
}

TEST_F(Joystick, CaptureFailsWithoutADeviceAndFindsOneAttachedLater) {
    configure(TGamePort::Gameport2, 10);
    EXPECT_FALSE(joystick.StartCapture());
    EXPECT_FALSE(joystick.active());
    QTest::qWait(40);
    EXPECT_TRUE(moves.empty());

    source->attach(1, 4);
    ASSERT_TRUE(joystick.StartCapture());
    EXPECT_TRUE(joystick.active());
    EXPECT_EQ(joystick.NumButtons(), 4);
    EXPECT_EQ(joystick.thresholdUnits(), 66);  // 0.1 % of 65535
    // The device's ranges are in force: the far ends scale to 0 and 2.
    source->state[1] = {0, 65535, std::nullopt, 0};
    ASSERT_TRUE(QTest::qWaitFor([&] { return !moves.empty(); }, 5000));
    EXPECT_EQ(moves.back().x, 0);
    EXPECT_EQ(moves.back().y, 2);
}

TEST_F(Joystick, PollingReportsEveryIntervalWhetherOrNotAnythingChanged) {
    source->attach(0);
    configure(TGamePort::Gameport1, 20);
    source->state[0] = {16384, 49152, std::nullopt, 0b11};
    ASSERT_TRUE(joystick.StartCapture());
    ASSERT_TRUE(QTest::qWaitFor([&] { return moves.size() >= 3; }, 5000));
    for (const Move& move : moves) {
        EXPECT_EQ(move.x, 1);
        EXPECT_EQ(move.y, 2);
        EXPECT_EQ(move.buttons, 0b11);  // both buttons
    }

    // A second capture of the held port fails and clears the flag, yet the reports go on.
    EXPECT_FALSE(joystick.StartCapture());
    EXPECT_FALSE(joystick.active());
    const size_t before = moves.size();
    EXPECT_TRUE(QTest::qWaitFor([&] { return moves.size() > before; }, 5000));

    // Held back while the emulator runs, the reports come again afterwards, as they were.
    joystick.pauseReports();
    const size_t paused = moves.size();
    QTest::qWait(70);
    EXPECT_EQ(moves.size(), paused);
    joystick.resumeReports();
    EXPECT_TRUE(QTest::qWaitFor([&] { return moves.size() > paused; }, 5000));

    joystick.StopCapture();
    const size_t stopped = moves.size();
    QTest::qWait(50);
    EXPECT_EQ(moves.size(), stopped);
    joystick.pauseReports();
    joystick.resumeReports();  // a stopped capture stays stopped
    QTest::qWait(50);
    EXPECT_EQ(moves.size(), stopped);
}

TEST_F(Joystick, WithoutPollingOnlyChangesBeyondTheThresholdAreReported) {
    source->attach(0);
    configure(TGamePort::Gameport1);
    joystick.setPolling(false);
    ASSERT_TRUE(joystick.StartCapture());
    joystick.report({32767, 32767, std::nullopt, 0});
    joystick.report({32767, 32767, std::nullopt, 0});
    joystick.report({32767 + 66, 32767, std::nullopt, 0});  // within the threshold
    EXPECT_EQ(moves.size(), 1u);
    joystick.report({32767 + 200, 32767, std::nullopt, 0});
    joystick.report({32767 + 200, 32767, std::nullopt, 4});
    EXPECT_EQ(moves.size(), 3u);
}

TEST_F(Joystick, RawPositionsAndButtonEdgesAndFailingHandlers) {
    source->attach(0);
    configure(TGamePort::Gameport1);
    joystick.setScaled(false);
    std::vector<std::pair<int, bool>> edges;
    joystick.OnButton1_Change = [&](TJoystickex*, bool pressed, int, int) { edges.push_back({1, pressed}); };
    joystick.OnButton4_Change = [&](TJoystickex*, bool pressed, int, int) { edges.push_back({4, pressed}); };
    joystick.report({123, 456, std::nullopt, 0b1001});
    joystick.report({123, 456, std::nullopt, 0b1000});
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0].x, 123);
    EXPECT_EQ(moves[0].y, 456);
    EXPECT_EQ(edges, (std::vector<std::pair<int, bool>>{{1, true}, {4, true}, {1, false}}));

    // An error in the move handler is dropped; the next report still arrives.
    int calls = 0;
    joystick.JoyMove = [&](TJoystickex*, int, int, uint16_t, bool) {
        ++calls;
        throw std::runtime_error("handler failed");
    };
    EXPECT_NO_THROW(joystick.report({0, 0, std::nullopt, 0}));
    EXPECT_NO_THROW(joystick.report({0, 0, std::nullopt, 0}));
    EXPECT_EQ(calls, 2);
}

TEST(SystemJoysticks, StartWithoutDisplayOrDevice) {
    const auto source = systemJoystickSource();
    ASSERT_NE(source, nullptr);
    const JoystickCapabilities caps = source->capabilities(0);
    const bool attached = caps.xMax != 0 || caps.numButtons != 0;
    EXPECT_EQ(source->acquire(0), attached);
    EXPECT_EQ(source->read(0).has_value(), attached);
    source->release(0);
    EXPECT_FALSE(source->acquire(7));  // no such port

    TJoystickex joystick(source);
    joystick.setGamePort(TGamePort::Gameport1);
    EXPECT_EQ(joystick.StartCapture(), attached);
}

TEST(SystemJoysticks, UnpluggedSticksAreFoundAgainAtTheNextCapture) {
    if (tavrix::test::systemHasJoysticks()) GTEST_SKIP() << "this machine's own joysticks take the ports";
    const auto source = systemJoystickSource();
    TJoystickex j1(source), j2(source);
    Move last[2] = {};
    int removed[2] = {};
    for (int port = 0; port < 2; ++port) {
        TJoystickex& joystick = port == 0 ? j1 : j2;
        joystick.setGamePort(port == 0 ? TGamePort::Gameport1 : TGamePort::Gameport2);
        joystick.setPolling(true);
        joystick.setInterval(10);
        joystick.setXScaledBy(2);
        joystick.setYScaledBy(2);
        joystick.JoyMove = [&last, port](TJoystickex*, int x, int y, uint16_t buttons, bool) {
            last[port] = {x, y, buttons};
        };
        joystick.JoyRemoved = [&removed, port](TJoystickex*) { ++removed[port]; };
    }
    const auto lastIs = [&](int port, Move move) {
        return QTest::qWaitFor([&] {
            return last[port].x == move.x && last[port].y == move.y && last[port].buttons == move.buttons;
        }, 2000);
    };

    auto a = std::make_unique<VirtualStick>(4);
    auto b = std::make_unique<VirtualStick>(6);
    ASSERT_TRUE(a->plugged() && b->plugged());
    ASSERT_TRUE(j1.StartCapture());
    ASSERT_TRUE(j2.StartCapture());
    EXPECT_EQ(j1.NumButtons(), 4);
    EXPECT_EQ(j2.NumButtons(), 6);
    a->move(-32768, 32767);
    a->press(2, true);
    EXPECT_TRUE(lastIs(0, {0, 2, 0b100}));
    EXPECT_TRUE(lastIs(1, {1, 1, 0}));

    // Pulled out: that capture ends and gives its port back; the other stick goes on.
    a->unplug();
    EXPECT_TRUE(QTest::qWaitFor([&] { return removed[0] == 1; }, 2000));
    EXPECT_FALSE(j1.capturing());
    EXPECT_FALSE(j1.active());
    EXPECT_TRUE(j2.capturing());
    EXPECT_EQ(removed[1], 0);
    b->press(5, true);
    EXPECT_TRUE(lastIs(1, {1, 1, 0b100000}));
    // The stick left in the list is the one port 2 holds: port 1 has none.
    EXPECT_FALSE(j1.StartCapture());

    // Plugged in again, it is found by the next capture, on its old port.
    a.reset();
    a = std::make_unique<VirtualStick>(4);
    ASSERT_TRUE(a->plugged());
    ASSERT_TRUE(j1.StartCapture());
    EXPECT_EQ(j1.NumButtons(), 4);
    a->move(32767, 0);
    a->press(0, true);
    EXPECT_TRUE(lastIs(0, {2, 1, 0b1}));
    EXPECT_TRUE(lastIs(1, {1, 1, 0b100000}));
}
