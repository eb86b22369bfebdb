// The hand-over to the emulator through the real window: the game list's keys and double-click,
// the pages' controls as they stand (saved or not), the batch file, and a fake orvo.exe that
// records how it was started.
#include "fixtures/app_fixture.h"
#include "fixtures/fake_emulator.h"
#include "fixtures/window_cases.h"
#include "core/launch_command.h"
#include "platform/emulator_launcher.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <filesystem>

using namespace tavrix;
using namespace tavrix::test;

namespace {

// Game 1 uses the plain controller plug-in, games 2 and 3 the Vantrel one.
const std::string kDatabase =
    "[Game-1]\r\nGameName=Alpha Strike\r\nSystemName=Board A\r\nGameYear=1995\r\nVantrel-plug-in=0\r\n"
    "Rom-1=a.bin:0000ABCD\r\n\r\n"
    "[Game-2]\r\nGameName=Beta Rally\r\nSystemName=Board B\r\nGameYear=1996\r\nRom-1=b.bin:0000BCDE\r\n\r\n"
    "[Game-3]\r\nGameName=Gamma Duel\r\nSystemName=Board C\r\nGameYear=1997\r\nVantrel-plug-in=1\r\n"
    "Rom-1=c.bin:0000CDEF\r\n\r\n";

const std::string kSettings =
    "roms-directory=.\\my roms\r\n"
    "use-sound=1\r\nsound-filter-enable=1\r\nsound-filter-cutoff=11025\r\n"
    "sound-stereo-exciter=0\r\nsound-surround-lite-enable=1\r\nsound-surround-lite-multiplier=55\r\n"
    "renderer=renderer-d3d.orv\r\nuse-slow-geometry=1\r\nrotate-screen=180\r\n"
    "hide-orvo-console=0\r\nregistry-configuration=0\r\n\r\n";

// What the saved settings above give for game 2.
const std::string kSavedCommandForGame2 =
    " 2 --sound-filter-enable=yes --sound-filter-cutoff=11025 --sound-surround-lite-enable=yes"
    " --sound-surround-lite-multiplier=55 --use-slow-geometry=yes --renderer=renderer-d3d.orv"
    " --use-renderer-cfg-file=tavrix-renderer.cfg --controller=controller-vantrel.orv"
    " --use-controller-cfg-file=tavrix-controller.cfg --roms-directory=.\\my roms --rotate=2";

// The real launcher, with a note of what the window looked like at each step.
class ObservingLauncher : public EmulatorLauncher {
public:
    explicit ObservingLauncher(const TF1* window) : window(window), real(makeSystemEmulatorLauncher()) {
        // The window hears of the end only after the note of how it looked until then.
        connect(real.get(), &EmulatorLauncher::ended, this, [this] {
            visibleAtEnd.push_back(this->window->isVisible());
            enabledAtEnd.push_back(this->window->isEnabled());
            emit ended();
        });
    }

    void start(const std::string& commandLine, bool hideConsole) override {
        startedLines.push_back(commandLine);
        hideConsoleRequests.push_back(hideConsole);
        visibleAtStart.push_back(window->isVisible());
        real->start(commandLine, hideConsole);
    }
    bool isRunning() const override { return real->isRunning(); }

    const TF1* window;
    std::unique_ptr<EmulatorLauncher> real;
    std::vector<std::string> startedLines;
    std::vector<bool> hideConsoleRequests;
    std::vector<bool> visibleAtStart;
    std::vector<bool> visibleAtEnd;
    std::vector<bool> enabledAtEnd;
};

// On Wayland: how many top-level windows of this process the compositor shows, from weston's
// scene graph (the test compositor runs with its debug interface); -1 on other platforms.
int compositorWindowsOfThisProcess() {
    if (QGuiApplication::platformName() != QLatin1String("wayland")) return -1;
    QProcess debug;
    debug.start(QStringLiteral("weston-debug"), {QStringLiteral("scene-graph")});
    debug.waitForFinished(5000);
    const QString graph = QString::fromUtf8(debug.readAllStandardOutput());
    EXPECT_TRUE(graph.contains(QLatin1String("Weston scene graph"))) << graph.toStdString();
    return int(graph.count(QStringLiteral("role xdg_toplevel, PID %1,").arg(QCoreApplication::applicationPid())));
}

// Lets the event loop run until the compositor shows `expected` windows of this process.
bool compositorShows(int expected) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (compositorWindowsOfThisProcess() == expected) return true;
        QTest::qWait(20);
    }
    return false;
}

class Launch : public ::testing::Test {
protected:
    void SetUp() override {
        writeSettings(kSettings + kDatabase);
        // A sound renderer file, so that reading it keeps the stored rotation.
        writeFile("tavrix-renderer.cfg", hardwareRendererFile());
        // These tests run on the offscreen platform and, as a native client, on Wayland.
        ASSERT_EQ(QGuiApplication::platformName(), qEnvironmentVariable("QT_QPA_PLATFORM"));
        window = startWindow();
        ASSERT_TRUE(recorder.reports.isEmpty()) << recorder.reports.join("|").toStdString();
        auto observing = std::make_unique<ObservingLauncher>(window.get());
        launcher = observing.get();
        window->setEmulatorLauncher(std::move(observing));
        list = control<QTreeView>(*window, "LV0");
    }

    void select(const char* gameName) {
        const auto entries = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                                  QString::fromUtf8(gameName), -1, Qt::MatchExactly);
        ASSERT_EQ(entries.size(), 1) << gameName;
        list->setCurrentIndex(entries.front());
        ASSERT_TRUE(list->selectionModel()->isSelected(entries.front()));
    }

    TempDir dir;
    ReportRecorder recorder;
    std::unique_ptr<TF1> window;
    ObservingLauncher* launcher = nullptr;
    QTreeView* list = nullptr;
};

}  // namespace

TEST_F(Launch, EnterRunsTheSelectedGameWithTheWindowHiddenUntilItEnds) {
    installFakeEmulator("orvo.exe", 1000);
    select("Beta Rally");
    control<QAbstractButton>(*window, "CB29")->click();  // hide the console: not on the command line
    const QPoint position = window->pos();
    const bool onWayland = QGuiApplication::platformName() == QLatin1String("wayland");
    if (onWayland) {
        ASSERT_TRUE(compositorShows(1));
    }

    QTest::keyClick(list, Qt::Key_Return);

    // While the emulator runs the event loop goes on, the window hidden and taking no input;
    // another launch starts nothing.
    EXPECT_TRUE(window->model().launch.running());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->isEnabled());
    QTest::keyClick(list, Qt::Key_Return);
    QTest::qWait(50);
    EXPECT_FALSE(window->isVisible());
    if (onWayland) {
        EXPECT_TRUE(compositorShows(0));  // the compositor has the window unmapped
    }
    ASSERT_TRUE(waitForEmulatorEnd(*launcher));
    if (onWayland) {
        EXPECT_TRUE(compositorShows(1));
    }

    EXPECT_TRUE(recorder.reports.isEmpty()) << recorder.reports.join("|").toStdString();
    ASSERT_EQ(launcher->startedLines, std::vector<std::string>({kSavedCommandForGame2}));
    EXPECT_EQ(launcher->visibleAtStart, std::vector<bool>({false}));
    EXPECT_EQ(launcher->visibleAtEnd, std::vector<bool>({false}));
    EXPECT_EQ(launcher->enabledAtEnd, std::vector<bool>({false}));
    EXPECT_TRUE(window->isEnabled());
    EXPECT_FALSE(window->model().launch.running());
    EXPECT_EQ(launcher->hideConsoleRequests, std::vector<bool>({true}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->pos(), position);

    const auto runs = recordedRuns();
    ASSERT_EQ(runs.size(), 1u);
    std::vector<std::string> expected{"orvo.exe"};
    for (const auto& argument : splitCommandLine(kSavedCommandForGame2)) expected.push_back(argument);
    EXPECT_EQ(runs[0].arguments, expected);
    EXPECT_EQ(runs[0].arguments[1], "2");
    EXPECT_EQ(std::filesystem::path(runs[0].workingDirectory), std::filesystem::canonical(dir.path()));
    EXPECT_TRUE(runs[0].ended);  // the window came back only after the emulator had ended
    EXPECT_FALSE(std::filesystem::exists("tavrix.bat"));
}

TEST_F(Launch, TheListsKeysReachTheLaunchWithTheirModifiers) {
    installFakeEmulator();
    select("Beta Rally");
    // No launch: Enter with Ctrl or Alt, F11 without Ctrl or with more.
    QTest::keyClick(list, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_Return, Qt::AltModifier);
    QTest::keyClick(list, Qt::Key_Enter, Qt::KeyboardModifiers(Qt::ControlModifier | Qt::KeypadModifier));
    for (const Qt::KeyboardModifiers modifiers :
         {Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier),
          Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier), Qt::KeyboardModifiers(Qt::NoModifier),
          Qt::KeyboardModifiers(Qt::ShiftModifier)})
        QTest::keyClick(list, Qt::Key_F11, modifiers);
    EXPECT_FALSE(std::filesystem::exists("tavrix.bat"));
    EXPECT_TRUE(launcher->startedLines.empty());

    // Enter alone, with Shift or on the keypad launches; Ctrl+F11 writes the batch file.
    QTest::keyClick(list, Qt::Key_Return, Qt::ShiftModifier);
    ASSERT_TRUE(waitForEmulatorEnd(*launcher));
    QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_TRUE(waitForEmulatorEnd(*launcher));
    QTest::keyClick(list, Qt::Key_F11, Qt::ControlModifier);
    EXPECT_EQ(launcher->startedLines, std::vector<std::string>(2, kSavedCommandForGame2));
    EXPECT_EQ(readFile("tavrix.bat"), "orvo.exe" + kSavedCommandForGame2 + "\r\n");
    EXPECT_EQ(recordedRuns().size(), 2u);
    EXPECT_TRUE(recorder.reports.isEmpty()) << recorder.reports.join("|").toStdString();
}
