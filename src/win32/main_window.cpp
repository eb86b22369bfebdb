#include "win32/main_window.h"

#include "core/error.h"
#include "core/ini_document_cache.h"
#include "core/layout_rules.h"
#include "core/settings.h"
#include "platform/win32/emulator_process.h"
#include "platform/win32/joystick.h"
#include "win32/error_box.h"
#include "win32/page_index.h"
#include "win32/about_page.h"
#include "win32/controls_page.h"
#include "win32/game_info_page.h"
#include "win32/general_page.h"
#include "win32/language_panel.h"
#include "win32/romset_scan.h"
#include "win32/sound_page.h"
#include "win32/video_page.h"
#include "win32/status_images.h"

#include <exception>

namespace tavrix::win32 {

namespace {
// The start-up model's steps carried out on the window.
class WindowSteps : public StartupSteps {
public:
    explicit WindowSteps(MainWindow& window) : w(window) {}
    void clearBatchRequest() override { w.clearBatchRequest(); }
    void reportCorruptedSettings(const char* text) override {
        showError(text);
        PostMessageW(w.window(), WM_CLOSE, 0, 0);
    }
    void showLanguagePanel(bool) override { w.languagePanel().showState(); }
    void setEnglishFlag(bool) override {}  // the window keeps its language itself
    void applyEnglishCaptions() override { w.showCaptions(true); }
    void fillGameList() override {
        w.gameList().fill();
        w.generalPage().showCountLine();
    }
    void reloadGeneralPage() override { w.generalPage().B05Click(); }
    void sortGameList() override {
        w.gameList().sort();
        w.gameList().markSortColumn();
    }
    void reloadSoundPage() override { w.soundPage().B12Click(); }
    void reloadVideoPage() override { w.videoPage().ReadVideoSettings(); }
    bool startupScanChecked() const override { return w.generalPage().model.startupScan; }
    void scanRomsets() override { w.scanRomsets(); }
    void selectFirstGame() override { w.gameList().selectFirst(); }
    void reloadControlsPage(bool english) override {
        w.controlsPage().model.buildInputNames(english);
        w.controlsPage().LoadControllerConfig();
    }
    void showFirstPage() override { w.showPage(kGameInfoPage); }
    void focusGameList() override { SetFocus(w.form()["LV0"]); }

private:
    MainWindow& w;
};

constexpr const wchar_t* kWindowClass = L"TavrixWindow";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Control ids: the window's own, then a block for each page.
constexpr int kWindowFirstId = 100;
constexpr int kPageIdBlock = 1000;
// The game list's status and arrow images at 96 dots per inch.
constexpr int kImageSize = 16;

// The window's outer size for a client area of this many pixels at `dpi`.
SIZE frameFor(int width, int height, int dpi) {
    RECT frame{0, 0, width, height};
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = reinterpret_cast<AdjustForDpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    if (adjustForDpi != nullptr)
        adjustForDpi(&frame, kWindowStyle, FALSE, WS_EX_CONTROLPARENT, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&frame, kWindowStyle, FALSE, WS_EX_CONTROLPARENT);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// Sizes the window for a client area of this many pixels at `dpi`, then corrects by the frame
// as the system draws it (which keeps the scale it had where no display's scale changed).
void setClientSize(HWND window, int width, int height, int dpi) {
    SIZE frame = frameFor(width, height, dpi);
    for (int attempt = 0; attempt < 2; ++attempt) {
        SetWindowPos(window, nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT client;
        GetClientRect(window, &client);
        if (client.right == width && client.bottom == height) return;
        frame.cx += width - client.right;
        frame.cy += height - client.bottom;
    }
}

// The window on a display of another scale: every place, font and picture made again for it,
// the window as large as its client area needs there and where the system suggests.
void rescaleWindow(MainWindow& window, int dpi, const RECT* suggested) {
    FontSet& fonts = window.form().fonts();
    RECT client;
    GetClientRect(window.window(), &client);
    const bool wide = MulDiv(client.right, kTableDpi, fonts.dpi()) > (kClientWidth + kWideClientWidth) / 2;
    fonts.setDpi(dpi);
    setLayoutDpi(window.window(), dpi);
    if (suggested != nullptr)
        SetWindowPos(window.window(), nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    window.form().rescale();
    for (int index = 0; index < kPageCount; ++index) window.page(index).form().rescale();
    window.languagePanel().form().rescale();
    window.setClientWidth(wide ? kWideClientWidth : kClientWidth);
    GetClientRect(window.window(), &client);
    MoveWindow(window.languagePanel().window(), 0, 0, client.right, client.bottom, TRUE);
    HWND list = window.form()["LV0"];
    HIMAGELIST images = makeStatusImages(fonts.scaled(kImageSize));
    HIMAGELIST old = ListView_SetImageList(list, images, LVSIL_SMALL);
    Header_SetImageList(ListView_GetHeader(list), images);
    window.gameList().showHeaderImages();
    if (old != nullptr && old != images) ImageList_Destroy(old);
    fonts.dropOtherScales();
    RedrawWindow(window.window(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace

MainWindow::MainWindow(std::shared_ptr<JoystickSource> joysticks) : joystickSource_(std::move(joysticks)) {}

MainWindow::~MainWindow() {
    J1_.reset();
    J2_.reset();
    panel_.reset();
    pages_.clear();
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        setLayoutDpi(window_, 0);
        // The list's images now, which a new display scale may have replaced.
        images_ = ListView_GetImageList(form_["LV0"], LVSIL_SMALL);
        DestroyWindow(window_);
    }
    if (images_ != nullptr) ImageList_Destroy(images_);
}

void MainWindow::create(HINSTANCE instance) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW type{};
    if (!GetClassInfoExW(instance, kWindowClass, &type)) {
        type.cbSize = sizeof type;
        type.lpfnWndProc = &MainWindow::procedure;
        type.hInstance = instance;
        type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        // The program's icon, else the system's.
        type.hIcon = LoadIconW(instance, L"MAINICON");
        if (type.hIcon == nullptr) type.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
        type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        type.lpszClassName = kWindowClass;
        RegisterClassExW(&type);
    }
    // Made first to learn the scale of its display, then sized for it and centred on the
    // desktop's work area.
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, L"Tavrix", kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              kClientWidth, kClientHeight, nullptr, nullptr, instance, nullptr);
    fonts_.setDpi(displayDpi(window_));
    setLayoutDpi(window_, fonts_.dpi());
    setClientSize(window_, fonts_.scaled(kClientWidth), fonts_.scaled(kClientHeight), fonts_.dpi());
    RECT frame, desktop{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    GetWindowRect(window_, &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &desktop, 0);
    SetWindowPos(window_, nullptr, desktop.left + (desktop.right - desktop.left - (frame.right - frame.left)) / 2,
                 desktop.top + (desktop.bottom - desktop.top - (frame.bottom - frame.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    form_.build(window_, mainWindowLayout(), fonts_, false, kWindowFirstId);
    images_ = makeStatusImages(fonts_.scaled(kImageSize));
    list_.attach(form_["LV0"], images_);

    pages_.push_back(std::make_unique<GameInfoPage>(*this, *this));
    pages_.push_back(std::make_unique<GeneralPage>(*this, *this));
    pages_.push_back(std::make_unique<VideoPage>(*this));
    pages_.push_back(std::make_unique<SoundPage>(*this));
    pages_.push_back(std::make_unique<ControlsPage>(*this));
    pages_.push_back(std::make_unique<AboutPage>(*this));
    const RECT area = pageArea();
    for (std::size_t index = 0; index < pages_.size(); ++index)
        pages_[index]->create(window_, area, fonts_, false, kPageIdBlock * static_cast<int>(index + 1));
    panel_ = std::make_unique<LanguagePanel>(*this, startup_, [this] { B10Click(); });
    RECT whole;
    GetClientRect(window_, &whole);
    panel_->create(window_, whole, fonts_, false, kPageIdBlock * static_cast<int>(pages_.size() + 1));
    ShowWindow(panel_->window(), SW_HIDE);
    // The pages lie over the tab control, which clips them out of its own drawing.
    for (const auto& page : pages_) SetWindowPos(page->window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    createJoysticks();
    showPage(kGameInfoPage);
}

void MainWindow::createJoysticks() {
    // The joysticks report every 100 ms once capturing, scaled to 0, 1, 2 with 1 the centre;
    // the Controls page takes their reports while it waits for an input.
    if (joystickSource_ == nullptr) joystickSource_ = winmmJoystickSource();
    J1_ = std::make_unique<Joystick>(joystickSource_);
    J2_ = std::make_unique<Joystick>(joystickSource_);
    for (int index = 0; index < 2; ++index) {
        JoystickPoller& poller = joystick(index).poller();
        poller.setPort(index);
        poller.setPolling(true);
        poller.setInterval(100);
        poller.setEventThreshold(0.1);
        poller.setScaled(true);
        poller.scaling().setXScaledBy(2);
        poller.scaling().setYScaledBy(2);
        poller.scaling().setZScaledBy(2);
        poller.onMove = [this, index](int x, int y, uint16_t buttons, bool) {
            controlsPage().J1JoyMove(index + 1, x, y, buttons);
        };
        poller.onRemoved = [this] { controlsPage().J1JoyRemoved(); };
    }
    controlsPage().startJoystickCapture = [this] {
        J1_->poller().startCapture();
        J2_->poller().startCapture();
    };
}

RECT MainWindow::pageArea() const {
    HWND tabs = form_["PC1"];
    RECT area;
    GetClientRect(tabs, &area);
    TabCtrl_AdjustRect(tabs, FALSE, &area);
    MapWindowPoints(tabs, window_, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

SoundPage& MainWindow::soundPage() {
    return static_cast<SoundPage&>(page(kSoundPage));
}

GeneralPage& MainWindow::generalPage() {
    return static_cast<GeneralPage&>(page(kGeneralPage));
}

VideoPage& MainWindow::videoPage() {
    return static_cast<VideoPage&>(page(kVideoPage));
}

ControlsPage& MainWindow::controlsPage() {
    return static_cast<ControlsPage&>(page(kControlsPage));
}

void MainWindow::showCaptions(bool english) {
    english_ = english;
    form_.showCaptions(english);
    list_.showColumns(english);
    for (const auto& page : pages_) page->showCaptions(english);
}

void MainWindow::start() {
    // The sequence runs before the message loop, outside any handler: a step that fails (a
    // stored value that cannot be read, a tavrix.ini the scan cannot write) is reported as a
    // handler's error is, and the window stays as the sequence left it.
    WindowSteps steps(*this);
    try {
        startup_.FormShow(steps);
    } catch (const std::exception& error) {
        showError(errorReportText(error.what()));
    }
}

void MainWindow::B10Click() {
    WindowSteps steps(*this);
    startup_.B10Click(steps);
}

void MainWindow::scanRomsets() {
    RomsetScan(*this).run();
}

void MainWindow::showPage(int index) {
    TabCtrl_SetCurSel(form_["PC1"], index);
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        ShowWindow(pages_[i]->window(), static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
        pages_[i]->shownAsCurrent(static_cast<int>(i) == index);
    }
}

int MainWindow::currentPage() const {
    return TabCtrl_GetCurSel(form_["PC1"]);
}

void MainWindow::setClientWidth(int width) {
    const int growth = fonts_.scaled(width) - fonts_.scaled(kClientWidth);
    setClientSize(window_, fonts_.scaled(width), fonts_.scaled(kClientHeight), fonts_.dpi());
    const Rect list = form_.placeOf("LV0");
    MoveWindow(form_["LV0"], list.x, list.y, list.width + growth, list.height, TRUE);
    const Rect tabs = form_.placeOf("PC1");
    MoveWindow(form_["PC1"], tabs.x + growth, tabs.y, tabs.width, tabs.height, TRUE);
    const RECT area = pageArea();
    for (const auto& page : pages_)
        MoveWindow(page->window(), area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

LaunchInputs MainWindow::readLaunchInputs(int gameNumber) const {
    LaunchInputs inputs;
    inputs.gameNumber = gameNumber;
    for (const auto& page : pages_) page->addLaunchInputs(inputs);
    return inputs;
}

void MainWindow::LV0DblClick() {
    if (emulatorRunning_) return;  // one emulator at a time
    const int number = list_.selectedNumber();
    if (number == 0) return;
    const LaunchInputs inputs = readLaunchInputs(number);
    const std::string commandLine = buildLaunchCommand(inputs);
    if (batchRequested_) {
        // Cleared whether or not the file can be written; a failure is reported.
        batchRequested_ = false;
        writeBatchFile(commandLine);
        return;
    }
    // The window is out of the way while the emulator runs and takes no input; the wait keeps
    // answering the system's messages. It all comes back when the emulator ends, or at once when
    // it cannot be started.
    struct ComeBack {
        MainWindow& window;
        ~ComeBack() {
            window.emulatorRunning_ = false;
            window.J1_->poller().resumeReports();
            window.J2_->poller().resumeReports();
            EnableWindow(window.window_, TRUE);
            ShowWindow(window.window_, SW_SHOW);
            SetForegroundWindow(window.window_);
        }
    } comeBack{*this};
    emulatorRunning_ = true;
    ShowWindow(window_, SW_HIDE);
    EnableWindow(window_, FALSE);
    // The joysticks stay quiet while the emulator has them; their timers keep ticking in the
    // wait's message loop.
    J1_->poller().pauseReports();
    J2_->poller().pauseReports();
    EmulatorProcess emulator;
    emulator.start(commandLine, inputs.hideConsole);
    emulator.wait();
}

void MainWindow::LV0KeyDown(UINT key) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const bool other = GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_MENU) < 0;
    // Enter launches on its own or with Shift, never with Ctrl or Alt.
    if (key == VK_RETURN && !control && GetKeyState(VK_MENU) >= 0) LV0DblClick();
    // Ctrl+F11 and no other modifier. The request is set before the selection is looked at.
    if (key == VK_F11 && control && !other) {
        batchRequested_ = true;
        LV0DblClick();
    }
}

LRESULT CALLBACK MainWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return self->handle(message, wParam, lParam);
    } catch (const std::exception& error) {
        showError(errorReportText(error.what()));
        return 0;
    }
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == form_["PC1"] && header->code == TCN_SELCHANGE) {
            showPage(currentPage());
            return 0;
        }
        if (header->hwndFrom == form_["LV0"] && header->code == LVN_ITEMCHANGED) {
            const auto* change = reinterpret_cast<NMLISTVIEW*>(lParam);
            if ((change->uChanged & LVIF_STATE) != 0 && (change->uNewState & ~change->uOldState & LVIS_SELECTED) != 0 &&
                !list_.selectingQuietly())
                page(kGameInfoPage).gameSelected(list_.numberAt(change->iItem));
            return 0;
        }
        if (header->hwndFrom == form_["LV0"] && header->code == NM_DBLCLK) {
            LV0DblClick();
            return 0;
        }
        if (header->hwndFrom == form_["LV0"] && header->code == LVN_KEYDOWN) {
            LV0KeyDown(reinterpret_cast<NMLVKEYDOWN*>(lParam)->wVKey);
            return 0;
        }
        if (header->hwndFrom == form_["LV0"] && header->code == LVN_COLUMNCLICK) {
            // The sort choice that matches the clicked column is selected (running its handler
            // when it changes) before the list is sorted.
            const int choice = list_.model.LV0ColumnClick(reinterpret_cast<NMLISTVIEW*>(lParam)->iSubItem);
            list_.showHeaderImages();
            generalPage().selectSortChoice(choice);
            list_.sort();
            return 0;
        }
        if (header->hwndFrom == form_["LV0"] && list_.notify(header)) return 0;
        break;
    }
    case WM_COMMAND:
        // Enter in the list, turned into the window's default command by the dialog keys.
        if (LOWORD(wParam) == IDOK && GetFocus() == form_["LV0"]) LV0KeyDown(VK_RETURN);
        return 0;
    case WM_DPICHANGED:
        rescaleWindow(*this, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        if (GetWindowLongPtrW(window_, GWLP_USERDATA) != 0) PostQuitMessage(0);
        return 0;
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace tavrix::win32
