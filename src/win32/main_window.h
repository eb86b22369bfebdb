#pragma once
// The main window: the game list on the left, the six pages under their tabs on the right.
// Its controls come from the main window's table; each page builds its own from its table.
#include "core/startup_model.h"
#include "win32/fonts.h"
#include "win32/form.h"
#include "win32/game_list.h"
#include "win32/page.h"

#include <windows.h>

#include <memory>

namespace tavrix {
class JoystickSource;
}

namespace tavrix::win32 {

class ControlsPage;
class Joystick;
class LanguagePanel;
class GeneralPage;
class SoundPage;
class VideoPage;

class MainWindow : public PageHost {
public:
    // `joysticks` stands in for the system's game ports when given (tests).
    explicit MainWindow(std::shared_ptr<JoystickSource> joysticks = nullptr);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Makes the window and every page in the built-in language, hidden.
    void create(HINSTANCE instance);
    // The start-up sequence, as the start-up model runs it on this window: the language panel
    // at a first start, else the language, the list, the pages' reloads and the scans. A step
    // that fails is reported in the error box.
    void start();
    // OK on the language panel.
    void B10Click();
    // Scans the romset directory (see RomsetScan); blocks the window until it ends.
    void scanRomsets();
    StartupModel& startup() { return startup_; }
    LanguagePanel& languagePanel() { return *panel_; }
    // Every caption in the given language.
    void showCaptions(bool english);

    void showPage(int index) override;
    int currentPage() const;
    // Widens or narrows the window; the list grows with it and the pages keep to the right.
    void setClientWidth(int width);

    // The game list's launch events: a double click or Enter starts the emulator with the
    // selected game; Ctrl+F11 writes tavrix.bat instead (also when nothing is selected yet: the
    // request then waits for the next launch).
    void LV0DblClick();
    void LV0KeyDown(UINT key);
    void clearBatchRequest() { batchRequested_ = false; }
    // The launch inputs as the pages' controls hold them now, for the given game.
    LaunchInputs readLaunchInputs(int gameNumber) const;

    HWND window() const { return window_; }
    Form& form() { return form_; }
    Page& page(int index) { return *pages_[static_cast<std::size_t>(index)]; }
    SoundPage& soundPage();
    GeneralPage& generalPage();
    VideoPage& videoPage();
    ControlsPage& controlsPage();
    GameListView& gameList() { return list_; }
    // The joystick of game port 1 (index 0) or 2 (index 1).
    Joystick& joystick(int index) { return index == 0 ? *J1_ : *J2_; }
    bool english() const { return english_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    RECT pageArea() const;
    void createJoysticks();

    HWND window_ = nullptr;
    Form form_;
    FontSet fonts_;
    HIMAGELIST images_ = nullptr;
    GameListView list_;
    std::vector<std::unique_ptr<Page>> pages_;
    StartupModel startup_;
    std::unique_ptr<LanguagePanel> panel_;
    std::shared_ptr<JoystickSource> joystickSource_;
    std::unique_ptr<Joystick> J1_;  // game port 1
    std::unique_ptr<Joystick> J2_;  // game port 2
    bool english_ = false;
    bool batchRequested_ = false;
    bool emulatorRunning_ = false;
};

}  // namespace tavrix::win32
