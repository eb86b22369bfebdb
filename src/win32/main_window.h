#pragma once
// The main window: the game list on the left, the six pages under their tabs on the right,
// the first-start language panel over both. What the window does is the window model's
// (core/window_model.h); this window builds the controls from the tables and carries out the
// model's steps on them.
#include "core/window_model.h"
#include "win32/fonts.h"
#include "win32/form.h"
#include "win32/game_list.h"
#include "win32/page.h"

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace tavrix {
class JoystickSource;
}

namespace tavrix::win32 {

class ControlsPage;
class GameInfoPage;
class Joystick;
class SoftwareRendererDialog;
class TaskbarProgress;

class MainWindow : private WindowSteps {
public:
    // `joysticks` stands in for the system's game ports when given (tests).
    explicit MainWindow(std::shared_ptr<JoystickSource> joysticks = nullptr);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Makes the window and every page in the built-in language, hidden.
    void create(HINSTANCE instance);
    // The start-up sequence (see WindowModel::FormShow). It runs before the message loop,
    // outside any handler: a step that fails is reported in the error box, and the window
    // stays as the sequence left it.
    void start();

    WindowModel& model() { return model_; }
    HWND window() const { return window_; }
    // One message of the thread's queue, as the message loop takes it: the window's keys
    // first (see WindowModel::keyDown), then the dialog keys (Tab, the arrows, Enter, Space on a
    // button), then the control's own handling.
    void process(MSG& message);
    // The window's own controls (the list and the tab control).
    Form& form() { return form_; }
    // The pages in tab order, then the first-start panel (kLanguagePanel).
    Page& page(int index) { return *pages_[static_cast<std::size_t>(index)]; }
    GameListView& gameList() { return list_; }
    int currentPage() const;
    // Every caption in the given language.
    void showCaptions(bool english);
    // The joystick of game port 1 (index 0) or 2 (index 1).
    Joystick& joystick(int index) { return index == 0 ? *J1_ : *J2_; }
    // Replaces the taskbar button's progress (tests).
    void setTaskbarProgress(std::unique_ptr<TaskbarProgress> progress);

    // One message of the thread's queue as the program's message loop handles it, except that
    // while a scan runs Esc for the window or any of its controls stops the scan.
    void handleMessage(MSG& message);
    // Every message waiting in the queue, without waiting for more.
    void handlePendingMessages();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    RECT pageArea() const;
    void createJoysticks();
    void LV0KeyDown(UINT key);
    // A key message the window takes itself (true), before the dialog keys.
    bool takeKey(const MSG& message);
    // The name of a control of the window or of a page, or of the control it is part of; empty
    // for none.
    std::string nameOf(HWND control);
    // The list, the tabs and the page in front shown, unless the language panel covers them:
    // then they are hidden, so that no key reaches them.
    void showUnderPanel();
    // The window on a display of another scale: every place, font and picture made again for
    // it, the window as large as its client area needs there and where the system suggests.
    void rescale(int dpi, const RECT* suggested);

    // The window model's steps.
    void showPage(int index) override;
    void drawPage(int page) override;
    void setCaption(const std::string& text) override;
    void setEnglishFlag(bool) override {}
    void applyEnglishCaptions() override { showCaptions(true); }
    void setClientWidth(int width) override;
    void reportCorruptedSettings(const char* text) override;
    void reportError(const std::string& text) override;
    std::string chooseFolder(const std::string& prompt) override;
    void openWebPage(const char* address) override;
    void runRendererDialog() override;
    bool loadPicture(const std::string& path) override;
    void captureStarted() override;
    void focus(std::string_view control) override;
    void showEntries() override { list_.showEntries(); }
    void showOrder() override { list_.showOrder(); }
    void showHeaderImages() override { list_.showHeaderImages(); }
    void showColumns() override { list_.showColumns(model_.english()); }
    void showStatus(int position) override { list_.showStatus(position); }
    void selectQuietly(int position) override { list_.selectQuietly(position); }
    int selectedGame() const override { return list_.selectedNumber(); }
    void focusGameList() override { SetFocus(form_["LV0"]); }
    void lockControls(bool locked) override;
    void showScanProgress(int applied, int total) override;
    bool awaitScanResults() override;
    void wakeScan() override;
    void closeWindow() override { PostMessageW(window_, WM_CLOSE, 0, 0); }
    void hideWindow() override;
    void startEmulator(const std::string& commandLine, bool hideConsole) override;
    void showWindow() override;

    WindowModel model_{*this};
    HWND window_ = nullptr;
    Form form_;
    FontSet fonts_;
    HIMAGELIST images_ = nullptr;
    GameListView list_{model_.list};
    std::array<std::unique_ptr<Page>, kPageCount + 1> pages_;
    GameInfoPage* gameInfoPage_ = nullptr;
    ControlsPage* controlsPage_ = nullptr;
    std::shared_ptr<JoystickSource> joystickSource_;
    std::unique_ptr<Joystick> J1_;  // game port 1
    std::unique_ptr<Joystick> J2_;  // game port 2
    std::unique_ptr<SoftwareRendererDialog> rendererDialog_;
    std::unique_ptr<TaskbarProgress> taskbar_;
    HWND focusBeforeScan_ = nullptr;
    // The program's end was asked for during a scan: the quit is posted again once it ends.
    bool quitAfterScan_ = false;
    WPARAM quitCode_ = 0;
    UINT capturedKey_ = 0;  // the key a capture took, whose release the window swallows
};

}  // namespace tavrix::win32
