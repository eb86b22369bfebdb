#include "core/window_model.h"

#include "core/about_page_model.h"
#include "core/romset_scan_pass.h"

#include <exception>
#include <iterator>
#include <string>
#include <utility>

namespace tavrix {

namespace {

// The model of a page without fields of its own (About).
struct NoFields : PageModel {};

// Runs `then` when the scope ends, also when an operation in it fails part-way, so what the
// operation changed before the error is shown.
template <typename Then>
struct Finally {
    Then then;
    ~Finally() { then(); }
};
template <typename Then>
Finally(Then) -> Finally<Then>;

// The controls of the Game Info page that toggle between the snapshot and the romset view.
bool togglesGameInfoView(std::string_view control) {
    for (std::string_view name : {"L1", "L2", "L6", "GB1", "L12", "L3", "L10", "L4", "L11", "L5", "I1"})
        if (control == name) return true;
    return false;
}

// The assignable label L21 .. L34 as 0 .. 13, or -1.
int assignableLabel(std::string_view control) {
    if (control.size() != 3 || control[0] != 'L') return -1;
    const int number = (control[1] - '0') * 10 + (control[2] - '0');
    return number >= 21 && number < 21 + kControllerLabelCount ? number - 21 : -1;
}

std::string assignableLabelName(int label) {
    return "L" + std::to_string(21 + label);
}

// The Windows virtual keys the window takes.
namespace vk {
constexpr int kTab = 0x09, kReturn = 0x0D, kSpace = 0x20, kPageUp = 0x21, kPageDown = 0x22;
constexpr int kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;
}  // namespace vk

// The page (or the panel) whose table holds the control, and its row; none for the window's
// own controls and unknown names.
struct TableControl {
    int page = -1;
    const ControlRow* row = nullptr;
};
TableControl findControl(std::string_view name) {
    const FormLayout* const tables[] = {&gameInfoPageLayout(), &generalPageLayout(), &videoPageLayout(),
                                        &soundPageLayout(),    &controlsPageLayout(), &aboutPageLayout(),
                                        &languagePanelLayout()};
    static_assert(std::size(tables) == kLanguagePanel + 1);
    for (int page = 0; page <= kLanguagePanel; ++page)
        for (const ControlRow& row : tables[page]->controls)
            if (name == row.name) return {page, &row};
    return {};
}

// +1 for a key that brings the next page to the front, -1 for the previous one, else 0.
int pageStep(int key, KeyModifiers modifiers) {
    if (!modifiers.ctrl || modifiers.alt) return 0;
    if (key == vk::kTab) return modifiers.shift ? -1 : 1;
    if (key == vk::kPageDown) return 1;
    if (key == vk::kPageUp) return -1;
    return 0;
}

}  // namespace

// Each step of the start-up sequence on the window's models and widgets.
class WindowModel::Startup : public StartupSteps {
public:
    explicit Startup(WindowModel& window) : w(window) {}

    void clearBatchRequest() override { w.launch.batchRequested = false; }
    void reportCorruptedSettings(const char* text) override { w.steps_.reportCorruptedSettings(text); }
    void showLanguagePanel(bool shown) override {
        w.steps_.drawPage(kLanguagePanel);
        // Its first choice takes the focus; nothing under the panel takes any.
        if (shown) w.steps_.focus("RB1");
    }
    void setEnglishFlag(bool english) override { w.steps_.setEnglishFlag(english); }
    void applyEnglishCaptions() override { w.steps_.applyEnglishCaptions(); }
    void fillGameList() override { w.fillGameList(); }
    void reloadGeneralPage() override {
        Finally draw{[this] { w.steps_.drawPage(kGeneralPage); }};
        w.reloadGeneralPage();
    }
    void sortGameList() override {
        w.sortList();
        w.list.markSortColumn();
        w.steps_.showHeaderImages();
    }
    void reloadSoundPage() override {
        Finally draw{[this] { w.steps_.drawPage(kSoundPage); }};
        w.reloadSoundPage();
    }
    void reloadVideoPage() override {
        Finally draw{[this] { w.steps_.drawPage(kVideoPage); }};
        w.video.ReadVideoSettings();
    }
    bool startupScanChecked() const override { return w.general.startupScan; }
    void scanRomsets() override { w.scanRomsets(); }
    void selectFirstGame() override { w.selectFirstGame(); }
    void reloadControlsPage(bool english) override {
        Finally draw{[this] { w.steps_.drawPage(kControlsPage); }};
        w.controls.buildInputNames(english);
        w.controls.LoadControllerConfig();
    }
    void showFirstPage() override { w.showPage(kGameInfoPage); }
    void focusGameList() override { w.focusGameList(); }

private:
    WindowModel& w;
};

// Each step of the romset scan on the window's models and widgets.
class WindowModel::Scan : public ScanSteps {
public:
    explicit Scan(WindowModel& window) : w(window) {}

    bool playableFilterChecked() const override { return w.general.showFullRomset; }
    void setPlayableFilter(bool checked) override { w.setPlayableFilter(checked); }
    void enableRescan(bool enabled) override {
        w.general.rescanEnabled = enabled;
        w.steps_.drawPage(kGeneralPage);
    }
    void setCaption(const Caption& caption) override { w.steps_.setCaption(caption.in(w.english())); }
    std::string romsetDirectory() const override { return w.general.romsDirectory(); }
    std::vector<int> entries() const override {
        std::vector<int> numbers;
        numbers.reserve(w.list.entries.size());
        for (const GameListRow& entry : w.list.entries) numbers.push_back(entry.number);
        return numbers;
    }
    void showLastGame(int position, const GameRecord& game, RomsetScanPass& pass,
                      const GameVerification& verification) override {
        w.steps_.selectQuietly(position);
        Finally draw{[this] { w.steps_.drawPage(kGameInfoPage); }};
        GameInfoPageModel& page = w.gameInfo;
        page.showGame(game);
        page.showSnapshot(romsetNameOfArchive(page.mainArchive), pass.paths(),
                          [this](const std::string& path) { return w.steps_.loadPicture(path); });
        page.showMarks(verification);
    }
    void reportError(const std::string& text) override { w.steps_.reportError(text); }
    void setStatus(int position, int number, int status) override {
        if (w.list.entries[static_cast<std::size_t>(position)].status == status) return;
        w.list.setStatus(number, status);
        w.steps_.showStatus(position);
    }
    void setCountLine(int playable, int total) override {
        w.showCountLine(GameListModel::countLine(playable, total, w.english()));
    }
    void showProgress(int applied, int total) override {
        w.steps_.setCaption(scanProgressCaption(applied, total, w.english()));
        w.steps_.showScanProgress(applied, total);
    }
    bool awaitResults() override { return w.steps_.awaitScanResults(); }
    void wakeUp() override { w.steps_.wakeScan(); }
    bool stopRequested() override { return w.stopAsked_; }

private:
    WindowModel& w;
};

// The launch's steps: the inputs from the page models, the rest on the window.
class WindowModel::Launch : public LaunchSteps {
public:
    explicit Launch(WindowModel& window) : w(window) {}

    int selectedGame() const override { return w.steps_.selectedGame(); }
    LaunchInputs launchInputs(int gameNumber) const override { return w.launchInputs(gameNumber); }
    void hideWindow() override { w.steps_.hideWindow(); }
    void startEmulator(const std::string& commandLine, bool hideConsole) override {
        w.steps_.startEmulator(commandLine, hideConsole);
    }
    void showWindow() override { w.steps_.showWindow(); }

private:
    WindowModel& w;
};

PageModel& WindowModel::page(int index) {
    static NoFields none;
    switch (index) {
    case kGameInfoPage: return gameInfo;
    case kGeneralPage: return general;
    case kVideoPage: return video;
    case kSoundPage: return sound;
    case kControlsPage: return controls;
    case kLanguagePanel: return startup.panel;
    default: return none;
    }
}

void WindowModel::FormShow() {
    Startup steps(*this);
    startup.FormShow(steps);
}

void WindowModel::command(int page, std::string_view control, ControlEvent event) {
    if (scanning_) return;
    Finally draw{[this, page] { steps_.drawPage(page); }};
    switch (page) {
    case kGameInfoPage: gameInfoCommand(control, event); break;
    case kGeneralPage: generalCommand(control, event); break;
    case kVideoPage: videoCommand(control, event); break;
    case kSoundPage: soundCommand(control, event); break;
    case kControlsPage: controlsCommand(control, event); break;
    case kAboutPage: aboutCommand(control, event); break;
    case kLanguagePanel: panelCommand(control, event); break;
    default: break;
    }
}

void WindowModel::gameInfoCommand(std::string_view control, ControlEvent event) {
    if (event == ControlEvent::Click && togglesGameInfoView(control)) gameInfo.L1Click(list.entries.empty());
}

void WindowModel::generalCommand(std::string_view control, ControlEvent event) {
    // E1 needs no handler of its own: the scan, the Game Info page and the launch read the
    // romset directory from its field.
    if (event != ControlEvent::Click) return;
    if (control == "CB26") {
        playableFilterChanged();
    } else if (control == "CB27") {
        allColumnsChanged();
    } else if (control.starts_with("RG2Item")) {
        sortChoiceChanged();
    } else if (control == "B01") {
        general.B01Click(steps_.chooseFolder(folderPrompt().in(english())));
    } else if (control == "B02") {
        // The scan reads the path box as it is now, saved or not; the page stays shown.
        scanRomsets();
        selectFirstGame();
    } else if (control == "B07") {
        general.B07Click(list.sortChoiceOfColumn(), list.ascending);
        pageSaved();
    } else if (control == "B05") {
        reloadGeneralPage();
        pageCancelled();
    }
}

void WindowModel::videoCommand(std::string_view control, ControlEvent event) {
    if (event == ControlEvent::Pick) {
        if (control == "CB18") {
            video.pickRenderer(video.rendererChoice);
            video.CB18Change();
        }
        if (control == "CB3") video.CB3Change();
        if (control == "CB13") video.CB13Change();
        if (control == "CB5") video.CB5Change();
    } else if (event == ControlEvent::Click) {
        if (control == "CB22") video.CB22Click();
        if (control == "B09") {
            video.B09Click();
            pageSaved();
        }
        if (control == "B06") {
            showPage(kVideoPage);
            video.ReadVideoSettings();
            pageCancelled();
        }
        if (control == "B14") steps_.runRendererDialog();
    }
}

void WindowModel::soundCommand(std::string_view control, ControlEvent event) {
    if (event != ControlEvent::Click) return;
    if (control == "CB1") {
        sound.CB1Click();
    } else if (control == "CB19") {
        sound.CB19Click();
    } else if (control.starts_with("RG1Item")) {
        sound.RG1Click();
    } else if (control == "B11") {
        sound.B11Click();
        pageSaved();
    } else if (control == "B12") {
        reloadSoundPage();
        pageCancelled();
    }
}

void WindowModel::controlsCommand(std::string_view control, ControlEvent event) {
    Finally caption{[this] { showCaptureCaption(); }};
    const int label = assignableLabel(control);
    if (event == ControlEvent::DoubleClick && label >= 0) {
        if (!controls.L27DblClick(label)) return;
        // The key receiver takes the focus once it is enabled.
        steps_.drawPage(kControlsPage);
        steps_.captureStarted();
    } else if (event == ControlEvent::Pick && control == "CB23") {
        controls.CB23Change();
    } else if (event == ControlEvent::Click && control == "B04") {
        controls.B04Click();
        pageSaved();
    } else if (event == ControlEvent::Click && control == "B03") {
        controls.B03Click();
        pageCancelled();
    }
}

void WindowModel::aboutCommand(std::string_view control, ControlEvent event) {
    if (event != ControlEvent::Click) return;
    if (control == "B08") pageSaved();
    // The result is not checked: a system without a browser is not an error of ours.
    if (control == "B13") steps_.openWebPage(webPageAddress(english()));
}

void WindowModel::panelCommand(std::string_view control, ControlEvent event) {
    if (event != ControlEvent::Click) return;
    // A click on a language's button or on its flag checks that language.
    LanguagePanelModel& panel = startup.panel;
    if (control == "RB1") panel.check(false);
    if (control == "RB2") panel.check(true);
    if (control == "I2") panel.I2Click();
    if (control == "I3") panel.I3Click();
    if (control == "B10") {
        Startup steps(*this);
        startup.B10Click(steps);
    }
}

void WindowModel::E4KeyDown(int virtualKey) {
    if (scanning_) return;
    Finally draw{[this] {
        steps_.drawPage(kControlsPage);
        showCaptureCaption();
    }};
    const int label = pendingCapture();
    controls.E4KeyDown(virtualKey);
    captureEnded(label);
}

void WindowModel::J1JoyMove(int joystick, int xPos, int yPos, std::uint16_t buttonStatus) {
    Finally draw{[this] {
        steps_.drawPage(kControlsPage);
        showCaptureCaption();
    }};
    const int label = pendingCapture();
    controls.J1JoyMove(joystick, xPos, yPos, buttonStatus);
    captureEnded(label);
}

void WindowModel::J1JoyRemoved() {
    Finally draw{[this] {
        steps_.drawPage(kControlsPage);
        showCaptureCaption();
    }};
    const int label = pendingCapture();
    controls.J1JoyRemoved();
    captureEnded(label);
}

int WindowModel::pendingCapture() const {
    return controls.capturing ? controls.waitingLabel() : -1;
}

void WindowModel::captureEnded(int label) {
    // Before the page is drawn, which disables the key receiver.
    if (label >= 0 && !controls.capturing) steps_.focus(assignableLabelName(label));
}

bool WindowModel::keyDown(std::string_view control, int virtualKey, KeyModifiers modifiers) {
    if (control == "E4") return false;
    const TableControl found = findControl(control);
    const bool plain = !modifiers.ctrl && !modifiers.alt;
    if (startup.panel.visible) {
        if (found.page != kLanguagePanel || !plain) return false;
        const bool arrow = virtualKey == vk::kLeft || virtualKey == vk::kUp || virtualKey == vk::kRight ||
                           virtualKey == vk::kDown;
        if (arrow && (control == "RB1" || control == "RB2")) {
            const char* other = control == "RB1" ? "RB2" : "RB1";
            command(kLanguagePanel, other, ControlEvent::Click);
            steps_.focus(other);
            return true;
        }
        if (virtualKey != vk::kReturn) return false;
        if (startup.panel.okEnabled) command(kLanguagePanel, "B10", ControlEvent::Click);
        return true;
    }
    if (const int step = pageStep(virtualKey, modifiers); step != 0) {
        showPage((currentPage_ + step + kPageCount) % kPageCount);
        // A control of the page left behind is hidden now.
        if (control != "LV0" && control != "PC1") steps_.focus("PC1");
        return true;
    }
    if (found.row == nullptr || !plain) return false;
    if (virtualKey == vk::kReturn && found.row->kind == ControlKind::Button) {
        command(found.page, control, ControlEvent::Click);
        return true;
    }
    if ((virtualKey == vk::kReturn || virtualKey == vk::kSpace) && found.row->byKeys) {
        command(found.page, control, assignableLabel(control) >= 0 ? ControlEvent::DoubleClick : ControlEvent::Click);
        return true;
    }
    return false;
}

void WindowModel::showCaptureCaption() {
    if (controls.captionsSet == captionsShown_) return;
    captionsShown_ = controls.captionsSet;
    steps_.setCaption(windowCaption(controls.capturing).in(english()));
}

void WindowModel::showPage(int index) {
    steps_.showPage(index);
    pageShown(index);
}

void WindowModel::pageShown(int index) {
    if (index == currentPage_) return;
    const bool leftControls = currentPage_ == kControlsPage;
    currentPage_ = index;
    Finally draw{[this, leftControls, index] {
        if (!leftControls && index != kControlsPage) return;
        steps_.drawPage(kControlsPage);
        showCaptureCaption();
    }};
    // Every visit to the Controls page shows the file's content.
    if (leftControls) controls.TS4Hide();
    if (index == kControlsPage) controls.TS4Show();
}

void WindowModel::pageSaved() {
    showPage(kGameInfoPage);
    steps_.focusGameList();
}

void WindowModel::reloadSoundPage() {
    // The page shows first, so the start-up's reload shows it too.
    showPage(kSoundPage);
    sound.B12Click();
}

void WindowModel::reloadGeneralPage() {
    const bool filtered = general.showFullRomset;
    const bool allColumns = general.showAllColumns;
    const int choice = general.sortChoice;
    general.B05Click();
    // The boxes and the group run their handlers when the reload changes them, as a click
    // would: the list is filtered, widened or sorted again.
    if (general.showFullRomset != filtered) playableFilterChanged();
    if (general.showAllColumns != allColumns) allColumnsChanged();
    if (general.sortChoice != choice) sortChoiceChanged();
    // The choice first: a changed choice re-sorts and re-marks the list under the direction it
    // had; the stored direction is taken afterwards and shows at the next sort (at start-up
    // the sort that follows this reload).
    list.ascending = general.ascending;
}

void WindowModel::fillGameList() {
    list.fill();
    steps_.showEntries();
    showCountLine(list.countLine(english()));
}

void WindowModel::sortList() {
    list.sort();
    steps_.showOrder();
}

void WindowModel::showCountLine(const std::string& text) {
    general.countLine = text;
    steps_.drawPage(kGeneralPage);
}

void WindowModel::playableFilterChanged() {
    const GameListModel::FilterOutcome outcome = list.CB26Click(general.showFullRomset);
    steps_.showEntries();
    if (outcome.clearGameInfo) {
        gameInfo.clearForEmptyList();
        steps_.drawPage(kGameInfoPage);
    }
    if (outcome.refilled) showCountLine(list.countLine(english()));
    if (outcome.select != 0) selectFirstGame();
    focusGameList();
}

void WindowModel::allColumnsChanged() {
    list.CB27Click();
    steps_.showColumns();
    steps_.setClientWidth(list.allColumns ? kWideClientWidth : kClientWidth);
}

void WindowModel::sortChoiceChanged() {
    const int choice = general.sortChoice;
    list.RG2Click(choice);
    if (choice < 0 || choice > 3) return;
    steps_.showHeaderImages();
    sortList();
}

void WindowModel::selectSortChoice(int choice) {
    if (choice < 0 || choice > 3 || general.sortChoice == choice) return;
    general.sortChoice = choice;
    sortChoiceChanged();
    steps_.drawPage(kGeneralPage);
}

void WindowModel::setPlayableFilter(bool checked) {
    if (general.showFullRomset == checked) return;
    general.showFullRomset = checked;
    playableFilterChanged();
    steps_.drawPage(kGeneralPage);
}

void WindowModel::LV0SelectItem(int number) {
    // The selection's own handler: an archive that cannot be read ends it with the general
    // report, and whatever selected the entry goes on.
    try {
        Finally draw{[this] { steps_.drawPage(kGameInfoPage); }};
        gameInfo.fill(number, general.romsDirectory(),
                      [this](const std::string& path) { return steps_.loadPicture(path); });
    } catch (const std::exception& error) {
        steps_.reportError(error.what());
    }
}

void WindowModel::LV0ColumnClick(int column) {
    if (scanning_) return;
    // The sort choice that matches the clicked column is selected (running its handler when
    // it changes) before the list is sorted.
    const int choice = list.LV0ColumnClick(column);
    steps_.showHeaderImages();
    selectSortChoice(choice);
    sortList();
}

void WindowModel::selectFirstGame() {
    if (list.entries.empty()) return;
    const int first = list.entries.front().number;
    // The page fills only when the selection changes: an entry selected already shows its
    // game (a scan's last entry, verified by the scan itself).
    if (steps_.selectedGame() == first) return;
    steps_.selectQuietly(0);
    LV0SelectItem(first);
}

void WindowModel::scanRomsets() {
    if (scanning_) return;
    scanning_ = true;
    stopAsked_ = false;
    steps_.lockControls(true);
    Finally unlock{[this] {
        scanning_ = false;
        steps_.showScanProgress(0, 0);
        steps_.lockControls(false);
        if (focusListAfterScan_) steps_.focusGameList();
        focusListAfterScan_ = false;
        if (closeAfterScan_) steps_.closeWindow();
        closeAfterScan_ = false;
    }};
    Scan steps(*this);
    lastScan_.run(steps);
}

bool WindowModel::stopScan() {
    if (!scanning_) return false;
    stopAsked_ = true;
    return true;
}

bool WindowModel::closeRequested() {
    if (!stopScan()) return true;
    closeAfterScan_ = true;
    return false;
}

void WindowModel::focusGameList() {
    if (scanning_)
        focusListAfterScan_ = true;
    else
        steps_.focusGameList();
}

LaunchInputs WindowModel::launchInputs(int gameNumber) const {
    LaunchInputs inputs;
    inputs.gameNumber = gameNumber;
    gameInfo.addLaunchInputs(inputs);
    general.addLaunchInputs(inputs);
    video.addLaunchInputs(inputs);
    sound.addLaunchInputs(inputs);
    return inputs;
}

void WindowModel::LV0DblClick() {
    if (scanning_) return;
    Launch steps(*this);
    launch.LV0DblClick(steps);
}

void WindowModel::LV0KeyDown(ListKey key, KeyModifiers modifiers) {
    if (scanning_) return;
    Launch steps(*this);
    launch.LV0KeyDown(key, modifiers, steps);
}

void WindowModel::emulatorEnded() {
    Launch steps(*this);
    launch.emulatorEnded(steps);
}

}  // namespace tavrix
