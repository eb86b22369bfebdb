#pragma once
// The window without its widgets: its page models, the game list, the start-up sequence, the
// launch, and every sequence that spans pages: what a page's controls do to the list and to
// the other pages, which page shows after Save or Cancel, the filter, the sort choice of a
// header click, the scan and the selection that fills the Game Info page. A front end builds
// the widgets from the layout tables, draws these models, hands each user action here, and
// carries out through WindowSteps what only it can do.
#include "core/controls_page_model.h"
#include "core/game_info_page_model.h"
#include "core/game_list_model.h"
#include "core/general_page_model.h"
#include "core/launch_model.h"
#include "core/page_model.h"
#include "core/romset_scan_model.h"
#include "core/sound_page_model.h"
#include "core/startup_model.h"
#include "core/video_page_model.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrix {

// The window's own controls that take no input while a scan runs: the game list, the page
// control with every page on it, and the first-start panel (a first start scans while it
// shows). The window itself stays enabled, so it repaints, can be moved and takes Esc; nothing
// the user can reach changes the list, the filter or the romset directory, saves a page,
// launches a game or starts a second scan until the scan has written its statuses.
inline constexpr std::array<const char*, 3> kLockedDuringScan{"LV0", "PC1", "P2"};

// What a page sees of the window: its controls' actions go here.
class PageHost {
public:
    // A user's action on a control of page `page` (a tab index or kLanguagePanel). A control
    // tied to a field has put its new state into the field already. The page is drawn again
    // afterwards, also when the handler fails part-way; the error then comes out of here.
    virtual void command(int page, std::string_view control, ControlEvent event) = 0;
    // A key pressed in the Controls page's key receiver E4, as a Windows virtual key.
    virtual void E4KeyDown(int virtualKey) = 0;
    // The interface language of the run.
    virtual bool english() const = 0;

protected:
    ~PageHost() = default;
};

// What a front end does when the window model asks for it.
class WindowSteps {
public:
    virtual ~WindowSteps() = default;

    // Pages.
    virtual void showPage(int index) = 0;  // the tab to the front (no notice comes back)
    virtual void drawPage(int page) = 0;   // every control of the page (or the panel) as its model says
    virtual void setCaption(const std::string& text) = 0;  // the window's title
    // The language that run-time texts follow, and the English captions over the built-in ones.
    virtual void setEnglishFlag(bool english) = 0;
    virtual void applyEnglishCaptions() = 0;
    virtual void setClientWidth(int width) = 0;
    // The front end's own box at start-up (see StartupSteps), then the window closes.
    virtual void reportCorruptedSettings(const char* text) = 0;
    // The general error report: a box with the text, a full stop added when it has none.
    virtual void reportError(const std::string& text) = 0;
    // Services of the system: the folder dialog (empty when cancelled), the web page, the
    // software renderer plug-in's own dialog, a picture file into the Game Info page's I1.
    virtual std::string chooseFolder(const std::string& prompt) = 0;
    virtual void openWebPage(const char* address) = 0;
    virtual void runRendererDialog() = 0;
    virtual bool loadPicture(const std::string& path) = 0;
    // A capture began on the Controls page: both joysticks report, the key receiver has the focus.
    virtual void captureStarted() = 0;
    // The keyboard focus to the control of that name: a page's or the panel's, the list LV0 or
    // the tabs PC1.
    virtual void focus(std::string_view control) = 0;

    // The game list, a view of WindowModel::list.
    virtual void showEntries() = 0;       // the entries afresh, none selected, without the selection handler
    virtual void showOrder() = 0;         // the entries in the model's order; the selected one stays selected
    virtual void showHeaderImages() = 0;  // the arrow on each header
    virtual void showColumns() = 0;       // the extra columns as the model says, with their arrows
    virtual void showStatus(int position) = 0;     // the entry's icon
    virtual void selectQuietly(int position) = 0;  // selects the entry without the selection handler
    virtual int selectedGame() const = 0;          // the selected entry's game number, 0 for none
    virtual void focusGameList() = 0;

    // The scan (see ScanSteps). Locked: every control of kLockedDuringScan takes no input;
    // unlocked, each has its own enabled state again and the focus is where it was.
    virtual void lockControls(bool locked) = 0;
    // `applied` of `total` games have their new status: beyond the caption, which the model
    // sets, the progress the system offers (the taskbar button's); then the window's pending
    // events are handled without waiting for more. Total 0: the scan has ended, that progress
    // goes away (no events are handled).
    virtual void showScanProgress(int applied, int total) = 0;
    // Handles the window's events, waiting for them, until wakeScan's or any other has been
    // handled; returns true. False: the front end cannot wait in its loop now, the scan blocks.
    virtual bool awaitScanResults() = 0;
    // From a worker thread: an event that ends awaitScanResults's wait.
    virtual void wakeScan() = 0;
    // Closes the window once the handler running now has returned.
    virtual void closeWindow() = 0;

    // The launch (see LaunchSteps).
    virtual void hideWindow() = 0;
    virtual void startEmulator(const std::string& commandLine, bool hideConsole) = 0;
    virtual void showWindow() = 0;
};

class WindowModel : public PageHost {
public:
    explicit WindowModel(WindowSteps& steps) : steps_(steps) {}
    WindowModel(const WindowModel&) = delete;
    WindowModel& operator=(const WindowModel&) = delete;

    GameListModel list;
    GameInfoPageModel gameInfo;
    GeneralPageModel general;
    VideoPageModel video;
    SoundPageModel sound;
    ControlsPageModel controls;
    StartupModel startup;
    LaunchModel launch;

    // The model a page (or the panel) is drawn from.
    PageModel& page(int index);
    int currentPage() const { return currentPage_; }

    // The start-up sequence (the window's show handler), see StartupModel.
    void FormShow();

    void command(int page, std::string_view control, ControlEvent event) override;
    void E4KeyDown(int virtualKey) override;
    // A key pressed (a Windows virtual key, with the modifiers held) while the control of that
    // name has the focus (any other name, or none, for the window itself). True when the key
    // is the window's: the front end then lets no control have it. The window's keys:
    // - The key receiver E4 takes every key as an input to capture; none of them is the window's.
    // - While the language panel shows, only its controls take keys: an arrow on a language
    //   checks the other one and moves the focus there, and Enter presses OK when it may be
    //   pressed. The pages do not switch.
    // - Ctrl+Tab and Ctrl+PgDn bring the next page to the front, Ctrl+Shift+Tab and Ctrl+PgUp
    //   the previous one, round the ends; the focus goes to the tabs unless it is on the list
    //   or the tabs.
    // - Enter on a button presses it (Space too, which the button does itself).
    // - Enter or Space on a text that takes keys (the title L1, the capture inputs) runs its
    //   click (the views switch) or its double click (a capture starts).
    bool keyDown(std::string_view control, int virtualKey, KeyModifiers modifiers);
    bool english() const override { return startup.english; }

    // The page control: the program brings a page to the front; the user picked a tab.
    void showPage(int index);
    void pageShown(int index);

    // The joysticks' reports, for the Controls page's capture (joystick 1 or 2).
    void J1JoyMove(int joystick, int xPos, int yPos, std::uint16_t buttonStatus);
    void J1JoyRemoved();

    // The game list. The entry of game `number` became the selected one: the Game Info page
    // shows it (an archive that cannot be read goes to the general report once the marks
    // found so far are shown).
    void LV0SelectItem(int number);
    void LV0ColumnClick(int column);
    // Selects the first entry, which fills the Game Info page, unless it is selected already.
    void selectFirstGame();
    // The scan of the romset directory (see RomsetScanModel); returns when it has ended. The
    // archives are read on worker threads while the window keeps working with its controls
    // locked (kLockedDuringScan); a user's action that reaches the model meanwhile is ignored.
    void scanRomsets();
    bool scanning() const { return scanning_; }
    // Esc: a running scan stops before its next game; the games applied keep their new
    // status, every other game the one it had, and the scan ends as a full one does. False
    // when no scan runs (Esc then does nothing).
    bool stopScan();
    // The user closes the window. False while a scan runs: the scan stops, and the window
    // closes (closeWindow) once the statuses are written.
    bool closeRequested();
    // Figures of the last scan.
    const RomsetScanModel& lastScan() const { return lastScan_; }

    // The launch (see LaunchModel) with the pages' inputs.
    void LV0DblClick();
    void LV0KeyDown(ListKey key, KeyModifiers modifiers);
    void emulatorEnded();
    LaunchInputs launchInputs(int gameNumber) const;

private:
    class Startup;
    class Scan;
    class Launch;

    void gameInfoCommand(std::string_view control, ControlEvent event);
    void generalCommand(std::string_view control, ControlEvent event);
    void videoCommand(std::string_view control, ControlEvent event);
    void soundCommand(std::string_view control, ControlEvent event);
    void controlsCommand(std::string_view control, ControlEvent event);
    void aboutCommand(std::string_view control, ControlEvent event);
    void panelCommand(std::string_view control, ControlEvent event);

    // A page's Save has stored it (or About's OK): Game Info comes to the front and the list
    // takes the focus from the button, which is hidden now.
    void pageSaved();
    // The reloads of General and Sound: their Cancel, also the pages' reloads at start-up.
    void reloadGeneralPage();
    void reloadSoundPage();
    // A page's Cancel has reloaded it: the list takes the focus, as after Save.
    void pageCancelled() { steps_.focusGameList(); }
    // The input (0 .. 13) a pending capture waits for, or -1.
    int pendingCapture() const;
    // A key or a joystick ended the capture that input `label` (0 .. 13, or -1 for none) waited
    // for: the label takes the focus back from the key receiver.
    void captureEnded(int label);
    void fillGameList();
    void sortList();
    // L16 on the General page.
    void showCountLine(const std::string& text);
    // CB26, CB27 and RG2 after their fields changed.
    void playableFilterChanged();
    void allColumnsChanged();
    void sortChoiceChanged();
    // RG2 takes the item; its handler runs when the item changes.
    void selectSortChoice(int choice);
    void setPlayableFilter(bool checked);
    // The window caption follows the Controls page's capture.
    void showCaptureCaption();
    // The list takes the focus; during a scan, once the controls are unlocked.
    void focusGameList();

    WindowSteps& steps_;
    int currentPage_ = kGameInfoPage;
    int captionsShown_ = 0;
    RomsetScanModel lastScan_;
    bool scanning_ = false;
    bool stopAsked_ = false;
    bool focusListAfterScan_ = false;
    bool closeAfterScan_ = false;
};

}  // namespace tavrix
