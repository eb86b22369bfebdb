#include "app/clickable_label.h"
#include "app/controls_page.h"
#include "core/ini_document.h"
#include "fixtures/app_fixture.h"
#include "fixtures/fake_joystick_source.h"
#include "fixtures/fresh_controller_file.h"
#include "fixtures/virtual_joystick.h"
#include "platform/joystickex.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
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

class ControlsPageTest : public ::testing::Test {
protected:
    void SetUp() override { replaceSystemJoystickSource(joysticks); }
    void TearDown() override { replaceSystemJoystickSource(nullptr); }

    // Starts the window in the language asked for and opens the Controls page.
    void start(bool english) {
        writeSettings(english ? "english-version=1\r\n" : "english-version=0\r\n");
        window = startWindow();
        page = window->controlsPage;
        ASSERT_TRUE(recorder.reports.isEmpty()) << recorder.reports.join("|").toStdString();
    }
    void openPage() { window->showPage(4); }

    QLabel* label(const char* name) { return page->findChild<QLabel*>(name); }
    QString text(const char* name) { return label(name)->text(); }
    void doubleClick(const char* name) { QTest::mouseDClick(label(name), Qt::LeftButton); }
    std::string saved(const char* section, const char* key) {
        return IniDocument::load(kControllerFile).readString(section, key, "<missing>");
    }
    // Replaces one key of the file, as another program (or the user) might.
    void editFile(const char* section, const char* key, const char* value) {
        auto doc = IniDocument::load(kControllerFile);
        doc.writeString(section, key, value);
        doc.save(kControllerFile);
    }

    std::shared_ptr<FakeJoystickSource> joysticks = std::make_shared<FakeJoystickSource>();
    TempDir dir;
    ReportRecorder recorder;
    std::unique_ptr<TF1> window;
    ControlsPage* page = nullptr;
};

const char* const kPlayerLabels[] = {"L31", "L32", "L27", "L28", "L29", "L30",
                                     "L21", "L22", "L23", "L24", "L25", "L26"};

}  // namespace

TEST_F(ControlsPageTest, FirstStartWritesTheFreshFileAndShowsPlayer1) {
    start(false);
    EXPECT_EQ(readFile(kControllerFile), kFreshControllerFile);
    QStringList shown;
    for (const char* name : kPlayerLabels) shown << text(name);
    EXPECT_EQ(shown, QStringList({"1", "5", "W", "S", "A", "D", "T", "Y", "U", "F", "G", "H"}));
    EXPECT_EQ(text("L33"), "F3");
    EXPECT_EQ(text("L34"), "F2");
    EXPECT_EQ(text("L35"), "F5");
    EXPECT_EQ(text("L36"), "insert");
    EXPECT_EQ(page->CB23->currentIndex(), 0);
    EXPECT_FALSE(page->CB25->isChecked());
    EXPECT_EQ(page->GB6->title(), QString::fromUtf8(" 플레이어 1 "));
    EXPECT_EQ(page->B04->text(), QString::fromUtf8("저장"));
    EXPECT_EQ(window->PC1->currentIndex(), 0);
    // The hidden flag of the launch starts checked; the key receiver starts disabled.
    EXPECT_TRUE(page->CB21->isChecked());
    EXPECT_TRUE(page->CB21->isHidden());
    EXPECT_FALSE(page->E4->isEnabled());
    EXPECT_TRUE(label("L27")->font().bold());
    EXPECT_FALSE(label("L67")->font().bold());
}

TEST_F(ControlsPageTest, EnglishCaptionsAndNames) {
    start(true);
    EXPECT_EQ(readFile(kControllerFile), kFreshControllerFile);
    EXPECT_EQ(page->GB6->title(), " Player 1 ");
    EXPECT_EQ(page->GB5->title(), " General ");
    EXPECT_EQ(text("L61"), "Test:");
    EXPECT_EQ(text("L67"), "Up:");
    EXPECT_EQ(text("L76"), "Button 6:");
    EXPECT_EQ(label("L35")->toolTip(), " not changeable ");
    EXPECT_EQ(page->CB25->text(), " Use WinMM joystick interface instead of DirectInput");
    EXPECT_EQ(page->B04->text(), "Save");
    EXPECT_EQ(page->B03->text(), "Cancel");
    EXPECT_EQ(page->CB23->itemText(1), "Player 2");
}

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

    QTest::mouseClick(page->B04, Qt::LeftButton);
    EXPECT_TRUE(recorder.reports.isEmpty()) << recorder.reports.join("|").toStdString();
    EXPECT_EQ(window->PC1->currentIndex(), 0);
    EXPECT_EQ(saved("player1", "up"), "kc8");
    EXPECT_EQ(saved("player1", "down"), "k11");
    EXPECT_EQ(saved("player1", "btn1"), "k47");
    EXPECT_EQ(saved("player1", "btn9"), "k47");
    EXPECT_EQ(saved("player1", "btn2"), "k1c");
    EXPECT_EQ(saved("player1", "btn3"), "");
    EXPECT_EQ(saved("player1", "btn11"), "");
    EXPECT_EQ(saved("player2", "up"), "j1up");
}

TEST_F(ControlsPageTest, KoreanNamesAndCaptureCaption) {
    start(false);
    openPage();
    doubleClick("L29");
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Tavrix - 키 또는 버튼을 누르세요..."));
    QTest::keyClick(page->E4, Qt::Key_Left);
    EXPECT_EQ(text("L29"), QString::fromStdString(page->inputNames().name(37)));
    EXPECT_NE(text("L29"), "left");
    QTest::mouseClick(page->B04, Qt::LeftButton);
    EXPECT_EQ(saved("player1", "left"), "kcb");
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

TEST_F(ControlsPageTest, SwitchingPlayersDiscardsUnsavedChanges) {
    start(true);
    openPage();
    doubleClick("L31");
    QTest::keyClick(page->E4, Qt::Key_Q);
    EXPECT_EQ(text("L31"), "Q");

    QTest::keyClick(page->CB23, Qt::Key_Down);
    EXPECT_EQ(page->CB23->currentIndex(), 1);
    EXPECT_EQ(page->GB6->title(), " Player 2 ");
    EXPECT_EQ(text("L31"), "joy1 button 7");
    EXPECT_EQ(text("L27"), "joy1 up");

    QTest::keyClick(page->CB23, Qt::Key_Up);
    EXPECT_EQ(page->GB6->title(), " Player 1 ");
    EXPECT_EQ(text("L31"), "1");
    EXPECT_EQ(saved("player1", "coin"), "k02");
}

TEST_F(ControlsPageTest, CancelAndShowingThePageReloadTheFile) {
    start(true);
    openPage();
    doubleClick("L33");
    QTest::mouseClick(page->B03, Qt::LeftButton);
    EXPECT_EQ(text("L33"), "F3");
    EXPECT_EQ(window->windowTitle(), "Tavrix");
    EXPECT_EQ(window->PC1->currentIndex(), 4);

    // An upper-case token matches nothing: the caption stays.
    editFile("all", "test", "K3D");
    editFile("all", "services", "k3e");
    QTest::mouseClick(page->B03, Qt::LeftButton);
    EXPECT_EQ(text("L33"), "F3");
    EXPECT_EQ(text("L34"), "F4");

    // An empty coin empties the label, and saving writes it empty again.
    editFile("player1", "coin", "");
    window->showPage(0);
    openPage();
    EXPECT_EQ(text("L31"), "");
    QTest::mouseClick(page->B04, Qt::LeftButton);
    EXPECT_EQ(saved("player1", "coin"), "");
    EXPECT_NE(readFile(kControllerFile).find("\r\ncoin=\r\n"), std::string::npos);
}

TEST_F(ControlsPageTest, AFailedSaveIsReportedAndThePageStays) {
    start(true);
    openPage();
    std::filesystem::remove(kControllerFile);
    std::filesystem::create_directory(kControllerFile);
    QTest::mouseClick(page->B04, Qt::LeftButton);
    ASSERT_EQ(recorder.reports.size(), 1);
    EXPECT_TRUE(recorder.reports.front().startsWith("Cannot create file \"tavrix-controller.cfg\"."))
        << recorder.reports.front().toStdString();
    EXPECT_EQ(window->PC1->currentIndex(), 4);
    EXPECT_EQ(text("L31"), "1");
}
