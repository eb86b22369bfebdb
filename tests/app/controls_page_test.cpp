#include "core/ini_document.h"
#include "fixtures/app_fixture.h"
#include "fixtures/fake_joystick_source.h"
#include "fixtures/virtual_joystick.h"
#include "platform/joystickex.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

using namespace tavrix;
using namespace tavrix::test;

namespace {

const char* const kControllerFile = "tavrix-controller.cfg";

// The window as the tests below reach it: its joysticks, its pages and the window's caption.
struct ShownWindow {
    std::unique_ptr<TF1> owned;
    TJoystickex* J1 = nullptr;
    TJoystickex* J2 = nullptr;
    QTabWidget* PC1 = nullptr;
    ShownWindow* operator->() { return this; }
    QString windowTitle() const { return owned->windowTitle(); }
    void showPage(int index) { owned->model().showPage(index); }
};

// The Controls page's controls that the tests use.
struct ShownPage {
    QPushButton* B04;
    QLineEdit* E4;
    const InputNameTable* names;
    const InputNameTable& inputNames() const { return *names; }
};

class ControlsPageTest : public ::testing::Test {
protected:
    void SetUp() override { replaceSystemJoystickSource(joysticks); }
    void TearDown() override { replaceSystemJoystickSource(nullptr); }

    // Starts the window in the language asked for and opens the Controls page.
    void start(bool english) {
        writeSettings(english ? "english-version=1\r\n" : "english-version=0\r\n");
        window.owned = startWindow();
        window.J1 = control<TJoystickex>(*window.owned, "J1");
        window.J2 = control<TJoystickex>(*window.owned, "J2");
        window.PC1 = control<QTabWidget>(*window.owned, "PC1");
        shown = {control<QPushButton>(*window.owned, "B04"), control<QLineEdit>(*window.owned, "E4"),
                 &window.owned->model().controls.names};
        ASSERT_TRUE(recorder.reports.isEmpty()) << recorder.reports.join("|").toStdString();
    }
    void openPage() { window->showPage(4); }

    QLabel* label(const char* name) { return control<QLabel>(*window.owned, name); }
    QString text(const char* name) { return label(name)->text(); }
    void doubleClick(const char* name) { QTest::mouseDClick(label(name), Qt::LeftButton); }
    std::string saved(const char* section, const char* key) {
        return IniDocument::load(kControllerFile).readString(section, key, "<missing>");
    }

    std::shared_ptr<FakeJoystickSource> joysticks = std::make_shared<FakeJoystickSource>();
    TempDir dir;
    ReportRecorder recorder;
    ShownWindow window;
    ShownPage shown{};
    ShownPage* page = &shown;
};

}  // namespace

TEST_F(ControlsPageTest, CaptureOneKeyAtATimeAndSave) {
    start(true);
    openPage();
    doubleClick("L27");
    EXPECT_EQ(text("L27"), " ");
    EXPECT_EQ(window->windowTitle(), "Tavrix - Press key or button...");
    EXPECT_TRUE(page->E4->isEnabled());
    // A second label is refused while one waits.
    doubleClick("L28");
    EXPECT_EQ(text("L28"), "S");

    QTest::keyClick(page->E4, Qt::Key_Up);
    EXPECT_EQ(text("L27"), "up");
    EXPECT_EQ(window->windowTitle(), "Tavrix");
    EXPECT_FALSE(page->E4->isEnabled());

    doubleClick("L28");
    QTest::keyClick(page->E4, Qt::Key_W);
    EXPECT_EQ(text("L28"), "W");
    doubleClick("L21");
    QTest::keyClick(page->E4, Qt::Key_7, Qt::KeypadModifier);
    EXPECT_EQ(text("L21"), "numpad 7");
    doubleClick("L22");
    QTest::keyClick(page->E4, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(text("L22"), "enter");
    doubleClick("L23");
    QTest::keyClick(page->E4, Qt::Key_Meta);  // the Windows key has no name
    EXPECT_EQ(text("L23"), "");
    EXPECT_TRUE(recorder.reports.isEmpty()) << recorder.reports.join("|").toStdString();
}

TEST_F(ControlsPageTest, KoreanNamesAndCaptureCaption) {
    start(false);
    openPage();
    doubleClick("L29");
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Tavrix - 키 또는 버튼을 누르세요..."));
    QTest::keyClick(page->E4, Qt::Key_Left);
    EXPECT_EQ(text("L29"), QString::fromStdString(page->inputNames().name(37)));
    EXPECT_NE(text("L29"), "left");
}

TEST_F(ControlsPageTest, JoystickInputsCompleteACapture) {
    joysticks->attach(0);
    joysticks->attach(1);
    start(true);
    openPage();

    // Joystick 2 pushed up and left at once: left wins.
    joysticks->state[1] = {0, 0, std::nullopt, 0};
    doubleClick("L29");
    EXPECT_TRUE(window->J1->active());
    EXPECT_TRUE(window->J2->active());
    EXPECT_TRUE(QTest::qWaitFor([&] { return text("L29") != " "; }, 1000));
    EXPECT_EQ(text("L29"), "joy2 left");
    EXPECT_EQ(window->windowTitle(), "Tavrix");

    // Both buttons 1 and 2 of joystick 1 give button 1.
    joysticks->state[1] = {32767, 32767, std::nullopt, 0};
    joysticks->state[0] = {32767, 32767, std::nullopt, 0b11};
    doubleClick("L31");
    EXPECT_TRUE(QTest::qWaitFor([&] { return text("L31") != " "; }, 1000));
    EXPECT_EQ(text("L31"), "joy1 button 1");

    // A stick at rest without a button never completes.
    joysticks->state[0] = {32767, 32767, std::nullopt, 0};
    doubleClick("L32");
    const int readsBefore = joysticks->reads[0];
    EXPECT_TRUE(QTest::qWaitFor([&] { return joysticks->reads[0] - readsBefore >= 2; }, 5000));  // the reports kept coming
    EXPECT_EQ(text("L32"), " ");
    EXPECT_EQ(window->windowTitle(), "Tavrix - Press key or button...");

    QTest::mouseClick(page->B04, Qt::LeftButton);
    EXPECT_EQ(saved("player1", "left"), "j2left");
    EXPECT_EQ(saved("player1", "coin"), "j1b1");
    EXPECT_EQ(saved("player1", "start"), "k06");  // still waiting: kept its value
}

// A stick through SDL itself: used, pulled out during a capture, plugged in again.
TEST_F(ControlsPageTest, UnpluggingAStickEndsItsCaptureAndTheNextCaptureFindsItAgain) {
    replaceSystemJoystickSource(nullptr);
    if (systemHasJoysticks()) GTEST_SKIP() << "this machine's own joysticks take the ports";
    auto stick = std::make_unique<VirtualStick>(4);
    ASSERT_TRUE(stick->plugged());
    start(true);
    openPage();
    doubleClick("L30");
    stick->move(32767, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return text("L30") != " "; }, 2000));
    EXPECT_EQ(text("L30"), "joy1 right");
    stick->move(0, 0);

    // Pulled out while a capture waits: the capture ends, the label keeps its input.
    doubleClick("L31");
    stick->unplug();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->J1->capturing(); }, 2000));
    EXPECT_EQ(text("L31"), "1");
    EXPECT_EQ(window->windowTitle(), "Tavrix");
    EXPECT_FALSE(page->E4->isEnabled());

    // Plugged in again: the next capture finds it.
    stick.reset();
    stick = std::make_unique<VirtualStick>(4);
    stick->press(1, true);
    doubleClick("L31");
    EXPECT_EQ(window->windowTitle(), "Tavrix - Press key or button...");
    EXPECT_TRUE(QTest::qWaitFor([&] { return text("L31") != " "; }, 2000));
    EXPECT_EQ(text("L31"), "joy1 button 2");
}
