#pragma once
// The start-up sequence and the first-start language panel without their widgets. The
// sequence decides which steps run and in which order; a front end carries each step out on
// its own controls through StartupSteps. The panel's state (which language is checked, whether
// OK may be pressed, whether the panel shows) lives here and the front end draws it.
#include "core/page_model.h"

namespace tavrix {

// The box of the start-up check: a Russian line, a line feed, a carriage return, then English.
inline constexpr const char* kCorruptedSettingsText =
    "Файл конфигурации повреждён!\n\rConfiguration file is corrupted!";

// What a front end does when the start-up sequence asks for it. Every step may throw a
// tavrix::Error, which ends the sequence at that step.
class StartupSteps {
public:
    virtual ~StartupSteps() = default;

    // No batch file is pending at start.
    virtual void clearBatchRequest() = 0;
    // The settings file lacks its section: show `text` in the front end's own box, then close
    // the window once the sequence has returned.
    virtual void reportCorruptedSettings(const char* text) = 0;
    // Shows or hides the language panel over the whole window (see LanguagePanelModel::visible).
    virtual void showLanguagePanel(bool shown) = 0;
    // Sets the process-wide English flag that run-time texts follow.
    virtual void setEnglishFlag(bool english) = 0;
    // Puts the English captions over the built-in ones.
    virtual void applyEnglishCaptions() = 0;
    virtual void fillGameList() = 0;
    virtual void reloadGeneralPage() = 0;
    // Sorts the list and marks its sort column.
    virtual void sortGameList() = 0;
    // Reloads the Sound page; that reload shows the page.
    virtual void reloadSoundPage() = 0;
    virtual void reloadVideoPage() = 0;
    // Whether the General page asks for a scan at start-up, as it shows after its reload.
    virtual bool startupScanChecked() const = 0;
    // Scans the romset directory; blocks until it ends.
    virtual void scanRomsets() = 0;
    // Selects the list's first game, when it has one.
    virtual void selectFirstGame() = 0;
    // Builds the input name tables for the language and reloads the Controls page.
    virtual void reloadControlsPage(bool english) = 0;
    // Shows the Game Info page.
    virtual void showFirstPage() = 0;
    virtual void focusGameList() = 0;
};

// The panel shown at a first start, until the user confirms a language.
struct LanguagePanelModel : PageModel {
    bool visible = false;         // P2, hidden until the start-up sequence shows it
    bool koreanChecked = false;   // RB1
    bool englishChecked = false;  // RB2
    bool okEnabled = false;       // B10, disabled until a language is checked

    // Checks one radio button (the other one unchecks) and runs their shared click handler,
    // as a click on the button or on its flag does.
    void check(bool english);
    // The shared click handler of RB1 and RB2: OK once either is checked.
    void RB1Click();
    void I2Click() { check(false); }
    void I3Click() { check(true); }

    ControlFields fields() override { return {{"RB1", &koreanChecked}, {"RB2", &englishChecked}}; }
    ControlStates enabledControls() const override { return {{"B10", okEnabled}}; }
};

class StartupModel {
public:
    LanguagePanelModel panel;
    // Set once the user has confirmed the panel in this run: the sequence then skips the
    // first-start test.
    bool languageChosen = false;
    // The interface language the sequence set, fixed for the rest of the run.
    bool english = false;

    // The start-up sequence (the window's show handler). Runs when the window is first shown
    // and again after the language has been confirmed.
    void FormShow(StartupSteps& steps);

    // OK on the language panel: stores english-version, then runs the sequence again. When
    // the file cannot be written OK stays available; when the sequence fails at a step the
    // panel is gone as after a normal start. Either error is rethrown for the front end to
    // report.
    void B10Click(StartupSteps& steps);
};

}  // namespace tavrix
