#pragma once
// The main window TF1: the game list on the left, the six pages on the right, the first-start
// language panel over both. What the window does is the window model's (core/window_model.h):
// the start-up sequence, the launch, the scan and every sequence that spans pages. TF1 builds
// the widgets and carries out the model's steps on them.
#include "app/captions.h"
#include "core/window_model.h"
#include "platform/emulator_launcher.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class ControlsPage;
class GameInfoPage;
class GameList;
class Page;
class QTabWidget;
class QTreeView;
class QUrl;
class TJoystickex;

namespace tavrix::platform {
class SoftwareRendererDialog;
}

class TF1 : public QWidget, private tavrix::WindowSteps {
    Q_OBJECT
public:
    explicit TF1(QWidget* parent = nullptr);
    ~TF1() override;

    tavrix::WindowModel& model() { return model_; }

    // Replaces the launcher that starts the emulator (tests wrap the real one).
    void setEmulatorLauncher(std::unique_ptr<tavrix::EmulatorLauncher> launcher);
    // Replace the folder dialog (it returns the chosen folder, or an empty text when
    // cancelled, given the prompt and the folder it starts in) and the desktop's handler of
    // web addresses (tests); an empty function brings the system's back.
    using FolderChooser = std::function<QString(const QString& prompt, const QString& startFolder)>;
    static void setFolderChooser(FolderChooser chooser);
    using UrlOpener = std::function<void(const QUrl& address)>;
    static void setUrlOpener(UrlOpener opener);

protected:
    void showEvent(QShowEvent* event) override;
    // While a scan runs, closing the window stops it; the window closes once it has ended.
    void closeEvent(QCloseEvent* event) override;
    // The window's keys (see WindowModel::keyDown), before the focused control has them.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateWidgets();
    void ConnectWidgets();
    // The window's own control called `name` (LV0, PC1, P2).
    QWidget* control(const char* name);

    // The window model's steps.
    void showPage(int index) override;
    void drawPage(int page) override;
    void setCaption(const std::string& text) override;
    void setEnglishFlag(bool english) override;
    void applyEnglishCaptions() override;
    void setClientWidth(int width) override;
    void reportCorruptedSettings(const char* text) override;
    void reportError(const std::string& text) override;
    std::string chooseFolder(const std::string& prompt) override;
    void openWebPage(const char* address) override;
    void runRendererDialog() override;
    bool loadPicture(const std::string& path) override;
    void captureStarted() override;
    void focus(std::string_view control) override;
    void showEntries() override;
    void showOrder() override;
    void showHeaderImages() override;
    void showColumns() override;
    void showStatus(int position) override;
    void selectQuietly(int position) override;
    int selectedGame() const override;
    void focusGameList() override;
    void lockControls(bool locked) override;
    void showScanProgress(int applied, int total) override;
    bool awaitScanResults() override;
    void wakeScan() override;
    void closeWindow() override;
    void hideWindow() override;
    void startEmulator(const std::string& commandLine, bool hideConsole) override;
    void showWindow() override;

    tavrix::WindowModel model_{*this};
    QTreeView* LV0;    // the game list
    QTabWidget* PC1;   // the pages
    GameList* gameList;
    GameInfoPage* gameInfoPage;
    ControlsPage* controlsPage;
    // The six pages in tab order, then the first-start panel P2.
    std::array<Page*, tavrix::kPageCount + 1> pages{};
    TJoystickex* J1;  // joystick of game port 1
    TJoystickex* J2;  // joystick of game port 2
    std::unique_ptr<tavrix::EmulatorLauncher> emulatorLauncher;
    std::unique_ptr<tavrix::platform::SoftwareRendererDialog> rendererDialog;
    CaptionBook book;
    bool shownBefore = false;
    QObject* escapeStopsScan = nullptr;   // the key filter of a running scan
    QPointer<QWidget> focusBeforeScan;
};
