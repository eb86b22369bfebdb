#pragma once
// The main window: the game list on the left, the six pages on the right, the first-start
// language panel over both, and the start-up sequence that fills them.
#include "app/captions.h"
#include "core/form_layout.h"
#include "core/launch_command.h"
#include "core/romset_archive_reader.h"
#include "core/startup_model.h"
#include "platform/emulator_launcher.h"

#include <QWidget>

#include <memory>

class AboutPage;
class ControlsPage;
class GameInfoPage;
class GameList;
class GeneralPage;
class LanguagePanel;
class QTabWidget;
class QTreeWidget;
class SoundPage;
class TJoystickex;
class VideoPage;

class TF1 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = tavrix::kClientWidth;
    static constexpr int kWideClientWidth = tavrix::kWideClientWidth;  // with all list columns shown
    static constexpr int kClientHeight = tavrix::kClientHeight;

    explicit TF1(QWidget* parent = nullptr);
    ~TF1() override;

    // The start-up sequence (see tavrix::StartupModel); runs when the window is first shown
    // and again after the language has been chosen on the first-start panel.
    void FormShow();
    // OK on the first-start panel: stores the language and runs the start-up sequence again.
    void confirmLanguage();

    void showPage(int index);
    // Scans the romset directory (see RomsetScan); blocks the window until it ends.
    void scanRomsets();
    // Widens or narrows the window; the list grows with it and the pages keep to the right.
    void setClientWidth(int width);

    void setLanguageChosen() { startup.languageChosen = true; }

    // Game list events that hand the selected game to the emulator.
    void LV0DblClick();
    void LV0KeyPress(char key);                                     // Enter (13) launches
    void LV0KeyDown(int key, Qt::KeyboardModifiers shift);          // Ctrl+F11 writes tavrix.bat
    // The launch inputs as the controls hold them now, saved or not, for the given game.
    tavrix::LaunchInputs readLaunchInputs(int gameNumber) const;
    // Replaces the launcher that starts the emulator (tests wrap the real one).
    void setEmulatorLauncher(std::unique_ptr<tavrix::EmulatorLauncher> launcher);
    // Whether an emulator started from this window is still running (the window is hidden).
    bool emulatorRunning() const;

    // Controls.
    QTreeWidget* LV0;  // the game list
    QTabWidget* PC1;   // the pages
    GameInfoPage* gameInfoPage;
    GeneralPage* generalPage;
    VideoPage* videoPage;
    SoundPage* soundPage;
    ControlsPage* controlsPage;
    AboutPage* aboutPage;
    LanguagePanel* P2;
    TJoystickex* J1;  // joystick of game port 1
    TJoystickex* J2;  // joystick of game port 2

    // Non-visual components: the romset archive reader (its base directory follows the General
    // page's path box) and the game list's logic with its image list IL.
    tavrix::RomsetArchiveReader ZF;
    GameList* gameList;

    // Process-wide state kept by the window: the start-up sequence with the language panel's
    // state, and whether the list's Ctrl+F11 asked for a batch file.
    tavrix::StartupModel startup;
    bool batchRequested = false;

protected:
    void showEvent(QShowEvent* event) override;

private:
    class Steps;  // the start-up sequence's steps on this window's controls

    void CreateWidgets();
    void ConnectWidgets();
    void applyEnglishCaptions();
    void connectLaunchEvents();
    // Writes the batch file, or hides the window and starts the emulator.
    void launchSelectedGame();
    // Brings the window back once the emulator has ended.
    void endEmulatorRun();

    CaptionBook book;
    bool shownBefore = false;
    std::unique_ptr<tavrix::EmulatorLauncher> emulatorLauncher;
};
