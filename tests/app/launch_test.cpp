// The hand-over to the emulator through the real window: the game list's keys and double-click,
// the pages' controls as they stand (saved or not), the batch file, and a fake orvo.exe that
// records how it was started.
#include "fixtures/app_fixture.h"
#include "fixtures/fake_emulator.h"
#include "core/launch_command.h"
#include "platform/emulator_launcher.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

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

// A sound hardware renderer file, so that reading it keeps the stored rotation.
const std::string kHardwareRendererFile =
    "; Tavrix\r\n\r\nXSize=800\r\nYSize=600\r\nFullScreen=0\r\nColorDepth=32\r\nScanLines=0\r\n"
    "Filtering=0\r\nBlending=0\r\nDithering=0\r\nShowFPS=0\r\nFrameLimitation=1\r\nFrameSkipping=0\r\n"
    "FramerateDetection=1\r\nFramerateManual=100\r\nTextureType=3\r\nTextureCaching=2\r\nEnableKeys=1\r\n"
    "FastExcel=0\r\n";

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

template <typename Control>
Control* control(const TF1& window, const char* name) {
    auto* found = window.findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no control " << name;
    return found;
}

// A user's pick in a drop-down list: the selection changes and the page hears of it.
void choose(const TF1& window, const char* name, int index) {
    auto* combo = control<QComboBox>(window, name);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void setChecked(const TF1& window, const char* name, bool checked) {
    auto* box = control<QAbstractButton>(window, name);
    if (box->isChecked() != checked) box->click();
    EXPECT_EQ(box->isChecked(), checked) << name;
}

void pickRadioItem(const TF1& window, const char* group, int item) {
    const auto buttons = control<QGroupBox>(window, group)->findChildren<QRadioButton*>();
    ASSERT_GT(buttons.size(), item);
    buttons[item]->click();
}

void typeText(const TF1& window, const char* name, const QString& text) {
    auto* edit = control<QLineEdit>(window, name);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    EXPECT_EQ(edit->text(), text);
}

class Launch : public ::testing::Test {
protected:
    void SetUp() override {
        writeSettings(kSettings + kDatabase);
        writeFile("tavrix-renderer.cfg", kHardwareRendererFile);
        // These tests run on the offscreen platform and, as a native client, on Wayland.
        ASSERT_EQ(QGuiApplication::platformName(), qEnvironmentVariable("QT_QPA_PLATFORM"));
        window = startWindow();
        ASSERT_TRUE(recorder.reports.isEmpty()) << recorder.reports.join("|").toStdString();
        auto observing = std::make_unique<ObservingLauncher>(window.get());
        launcher = observing.get();
        window->setEmulatorLauncher(std::move(observing));
        list = window->LV0;
    }

    void select(const char* gameName) {
        const auto items = list->findItems(QString::fromUtf8(gameName), Qt::MatchExactly, 0);
        ASSERT_EQ(items.size(), 1) << gameName;
        list->setCurrentItem(items.front());
        ASSERT_TRUE(items.front()->isSelected());
    }

    void doubleClick(const char* gameName) {
        const auto items = list->findItems(QString::fromUtf8(gameName), Qt::MatchExactly, 0);
        ASSERT_EQ(items.size(), 1) << gameName;
        const QPoint centre = list->visualItemRect(items.front()).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    }

    // The command line as the batch file holds it after Ctrl+F11 on the selected game.
    std::string batchCommand() {
        std::filesystem::remove("tavrix.bat");
        QTest::keyClick(list, Qt::Key_F11, Qt::ControlModifier);
        const std::string bytes = readFile("tavrix.bat");
        const std::string prefix = "orvo.exe";
        if (bytes.rfind(prefix, 0) != 0 || bytes.size() < prefix.size() + 2 ||
            bytes.compare(bytes.size() - 2, 2, "\r\n") != 0)
            return "unexpected batch file: [" + bytes + "]";
        return bytes.substr(prefix.size(), bytes.size() - prefix.size() - 2);
    }

    TempDir dir;
    ReportRecorder recorder;
    std::unique_ptr<TF1> window;
    ObservingLauncher* launcher = nullptr;
    QTreeWidget* list = nullptr;
};

}  // namespace

TEST_F(Launch, EnterRunsTheSelectedGameWithTheWindowHiddenUntilItEnds) {
    installFakeEmulator("orvo.exe", 1000);
    select("Beta Rally");
    const QPoint position = window->pos();
    const bool onWayland = QGuiApplication::platformName() == QLatin1String("wayland");
    if (onWayland) {
        ASSERT_TRUE(compositorShows(1));
    }

    QTest::keyClick(list, Qt::Key_Return);

    // While the emulator runs the event loop goes on, the window hidden and taking no input;
    // another launch starts nothing.
    EXPECT_TRUE(window->emulatorRunning());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->isEnabled());
    window->LV0KeyPress('\r');
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
    EXPECT_FALSE(window->emulatorRunning());
    EXPECT_EQ(launcher->hideConsoleRequests, std::vector<bool>({false}));
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

TEST_F(Launch, CommandLineFollowsUnsavedChangesOfThePages) {
    const std::string settingsBefore = readFile("tavrix.ini");
    const std::string plainTail = " --renderer=renderer-sft.orv --use-renderer-cfg-file=tavrix-renderer-sft.cfg"
                                  " --controller=controller-vantrel.orv"
                                  " --use-controller-cfg-file=tavrix-controller.cfg --roms-directory=.\\roms";
    // Each case starts from: game 3, sound off, Software, no registry settings, rom path .\roms.
    const auto baseline = [&] {
        select("Gamma Duel");
        setChecked(*window, "CB1", true);
        setChecked(*window, "CB19", false);
        pickRadioItem(*window, "RG1", 0);
        setChecked(*window, "CB17", false);
        choose(*window, "CB18", 0);
        setChecked(*window, "CB22", false);
        choose(*window, "CB8", 0);
        typeText(*window, "E1", ".\\roms");
        setChecked(*window, "CB1", false);
    };
    const struct {
        const char* name;
        std::function<void()> change;
        std::string expected;
    } cases[] = {
        {"sound off passes only --use-sound=no, whatever filter and effect hold",
         [&] {
             setChecked(*window, "CB1", true);
             setChecked(*window, "CB19", true);
             pickRadioItem(*window, "RG1", 2);
             setChecked(*window, "CB1", false);
         },
         " 3 --use-sound=no" + plainTail},
        {"sound on without filter or effect passes no sound option", [&] { setChecked(*window, "CB1", true); },
         " 3" + plainTail},
        {"lite surround passes the multiplier typed into E3",
         [&] {
             setChecked(*window, "CB1", true);
             pickRadioItem(*window, "RG1", 2);
             typeText(*window, "E3", "99");
         },
         " 3 --sound-surround-lite-enable=yes --sound-surround-lite-multiplier=99" + plainTail},
        {"filter at 44100 Hz with stereo exciter",
         [&] {
             setChecked(*window, "CB1", true);
             setChecked(*window, "CB19", true);
             choose(*window, "CB20", 3);
             pickRadioItem(*window, "RG1", 1);
         },
         " 3 --sound-filter-enable=yes --sound-filter-cutoff=44100 --sound-stereo-exciter=yes" + plainTail},
        {"software with registry settings names no renderer file", [&] { setChecked(*window, "CB22", true); },
         " 3 --use-sound=no --renderer=renderer-sft.orv --controller=controller-vantrel.orv"
         " --use-controller-cfg-file=tavrix-controller.cfg --roms-directory=.\\roms"},
        {"opengl with slow geometry and rotation 270",
         [&] {
             choose(*window, "CB18", 2);
             setChecked(*window, "CB17", true);
             choose(*window, "CB8", 3);
         },
         " 3 --use-sound=no --use-slow-geometry=yes --renderer=renderer-ogl.orv"
         " --use-renderer-cfg-file=tavrix-renderer.cfg --controller=controller-vantrel.orv"
         " --use-controller-cfg-file=tavrix-controller.cfg --roms-directory=.\\roms --rotate=3"},
        {"a rom path with blanks goes in without quotes", [&] { typeText(*window, "E1", "/srv/arcade roms/set 1"); },
         " 3 --use-sound=no --renderer=renderer-sft.orv --use-renderer-cfg-file=tavrix-renderer-sft.cfg"
         " --controller=controller-vantrel.orv --use-controller-cfg-file=tavrix-controller.cfg"
         " --roms-directory=/srv/arcade roms/set 1"},
        {"a game without the Vantrel flag gets the plain controller", [&] { select("Alpha Strike"); },
         " 1 --use-sound=no --renderer=renderer-sft.orv --use-renderer-cfg-file=tavrix-renderer-sft.cfg"
         " --controller=controller.orv --roms-directory=.\\roms"},
    };
    for (const auto& c : cases) {
        baseline();
        c.change();
        EXPECT_EQ(batchCommand(), c.expected) << c.name;
    }
    EXPECT_TRUE(recorder.reports.isEmpty()) << recorder.reports.join("|").toStdString();
    EXPECT_EQ(readFile("tavrix.ini"), settingsBefore);  // nothing was saved
}

TEST_F(Launch, CtrlF11WritesTheBatchFileAndTheNextDoubleClickStartsTheEmulator) {
    installFakeEmulator();
    select("Beta Rally");
    QTest::keyClick(list, Qt::Key_F11, Qt::ControlModifier);

    EXPECT_EQ(readFile("tavrix.bat"), "orvo.exe" + kSavedCommandForGame2 + "\r\n");
    EXPECT_FALSE(window->batchRequested);
    EXPECT_TRUE(launcher->startedLines.empty());
    EXPECT_TRUE(recordedRuns().empty());
    EXPECT_TRUE(window->isVisible());

    doubleClick("Beta Rally");
    ASSERT_TRUE(waitForEmulatorEnd(*launcher));
    EXPECT_EQ(launcher->startedLines, std::vector<std::string>({kSavedCommandForGame2}));
    ASSERT_EQ(recordedRuns().size(), 1u);
    EXPECT_EQ(recordedRuns()[0].arguments.at(1), "2");
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(recorder.reports.isEmpty()) << recorder.reports.join("|").toStdString();
}

TEST_F(Launch, F11WithShiftAltOrNoCtrlDoesNothing) {
    installFakeEmulator();
    select("Beta Rally");
    for (const Qt::KeyboardModifiers modifiers :
         {Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier),
          Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier), Qt::KeyboardModifiers(Qt::NoModifier),
          Qt::KeyboardModifiers(Qt::ShiftModifier)}) {
        QTest::keyClick(list, Qt::Key_F11, modifiers);
        EXPECT_FALSE(window->batchRequested);
    }
    EXPECT_FALSE(std::filesystem::exists("tavrix.bat"));
    EXPECT_TRUE(launcher->startedLines.empty());
    EXPECT_TRUE(recordedRuns().empty());
}

TEST_F(Launch, EnterLaunchesAloneOrWithShiftButNotWithCtrlOrAlt) {
    installFakeEmulator();
    select("Beta Rally");
    QTest::keyClick(list, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_Return, Qt::AltModifier);
    QTest::keyClick(list, Qt::Key_Enter, Qt::KeyboardModifiers(Qt::ControlModifier | Qt::KeypadModifier));
    EXPECT_TRUE(launcher->startedLines.empty());
    EXPECT_TRUE(recordedRuns().empty());

    QTest::keyClick(list, Qt::Key_Return, Qt::ShiftModifier);
    ASSERT_TRUE(waitForEmulatorEnd(*launcher));
    QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_TRUE(waitForEmulatorEnd(*launcher));
    EXPECT_EQ(launcher->startedLines, std::vector<std::string>(2, kSavedCommandForGame2));
    EXPECT_TRUE(recorder.reports.isEmpty()) << recorder.reports.join("|").toStdString();
}

TEST_F(Launch, WithNoSelectedGameNothingHappensAndABatchRequestStaysPending) {
    installFakeEmulator();
    list->clearSelection();
    ASSERT_TRUE(list->selectedItems().isEmpty());
    QTest::keyClick(list, Qt::Key_Return);
    QTest::keyClick(list, Qt::Key_F11, Qt::ControlModifier);
    EXPECT_TRUE(window->batchRequested);
    EXPECT_FALSE(std::filesystem::exists("tavrix.bat"));
    EXPECT_TRUE(launcher->startedLines.empty());

    // The pending request turns the next launch into a batch write.
    select("Beta Rally");
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(readFile("tavrix.bat"), "orvo.exe" + kSavedCommandForGame2 + "\r\n");
    EXPECT_FALSE(window->batchRequested);
    EXPECT_TRUE(launcher->startedLines.empty());
    EXPECT_TRUE(recordedRuns().empty());
    EXPECT_TRUE(recorder.reports.isEmpty()) << recorder.reports.join("|").toStdString();
}

TEST_F(Launch, FailuresAreReportedOnceAndTheWindowStaysShown) {
    select("Beta Rally");
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(recorder.reports, QStringList({"Cannot start \"orvo.exe\". No such file or directory."}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(launcher->visibleAtEnd.size(), 0u);
    EXPECT_FALSE(window->emulatorRunning());

    // A batch file that cannot be written: one report, the request cleared, nothing started.
    recorder.reports.clear();
    installFakeEmulator();
    std::filesystem::create_directory("tavrix.bat");
    QTest::keyClick(list, Qt::Key_F11, Qt::ControlModifier);
    ASSERT_EQ(recorder.reports.size(), 1);
    EXPECT_TRUE(recorder.reports.front().startsWith("Cannot create file \"tavrix.bat\". ")) << recorder.reports.front().toStdString();
    EXPECT_FALSE(window->batchRequested);
    EXPECT_EQ(launcher->startedLines.size(), 1u);  // only the failed start above
    EXPECT_TRUE(recordedRuns().empty());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(Launch, HideConsoleIsHandedToTheLauncher) {
    installFakeEmulator();
    select("Beta Rally");
    setChecked(*window, "CB29", true);
    QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_TRUE(waitForEmulatorEnd(*launcher));
    EXPECT_EQ(launcher->hideConsoleRequests, std::vector<bool>({true}));
    EXPECT_EQ(recordedRuns().size(), 1u);
    EXPECT_TRUE(window->isVisible());
}
