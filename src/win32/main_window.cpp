#include "win32/main_window.h"

#include "core/emulator_contract.h"
#include "core/error.h"
#include "core/layout_rules.h"
#include "platform/win32/dialogs.h"
#include "platform/win32/emulator_process.h"
#include "platform/win32/joystick.h"
#include "platform/win32/renderer_plugin.h"
#include "platform/win32/taskbar_progress.h"
#include "win32/controls_page.h"
#include "win32/error_box.h"
#include "win32/game_info_page.h"
#include "win32/language_panel.h"
#include "win32/status_images.h"
#include "win32/video_page.h"

#include <shellapi.h>

#include <exception>
#include <string_view>

namespace tavrix::win32 {

namespace {
constexpr const wchar_t* kWindowClass = L"TavrixWindow";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Control ids: the window's own, then a block for each page.
constexpr int kWindowFirstId = 100;
constexpr int kPageIdBlock = 1000;
// The game list's status and arrow images at 96 dots per inch.
constexpr int kImageSize = 16;
// Posted by a scan's worker thread: the result the scan waits for is ready.
constexpr UINT kScanWakeMessage = WM_APP + 1;

bool isEscape(const MSG& message) {
    return (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && message.wParam == VK_ESCAPE;
}

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

}  // namespace

// The window on a display of another scale: every place, font and picture made again for it,
// the window as large as its client area needs there and where the system suggests.
void MainWindow::rescale(int dpi, const RECT* suggested) {
    FontSet& fonts = form_.fonts();
    RECT client;
    GetClientRect(window_, &client);
    const bool wide = MulDiv(client.right, kTableDpi, fonts.dpi()) > (kClientWidth + kWideClientWidth) / 2;
    fonts.setDpi(dpi);
    setLayoutDpi(window_, dpi);
    if (suggested != nullptr)
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    form_.rescale();
    for (int index = 0; index < kPageCount; ++index) page(index).form().rescale();
    page(kLanguagePanel).form().rescale();
    setClientWidth(wide ? kWideClientWidth : kClientWidth);
    GetClientRect(window_, &client);
    MoveWindow(page(kLanguagePanel).window(), 0, 0, client.right, client.bottom, TRUE);
    HWND list = form_["LV0"];
    HIMAGELIST images = makeStatusImages(fonts.scaled(kImageSize));
    HIMAGELIST old = ListView_SetImageList(list, images, LVSIL_SMALL);
    Header_SetImageList(ListView_GetHeader(list), images);
    list_.showHeaderImages();
    if (old != nullptr && old != images) ImageList_Destroy(old);
    fonts.dropOtherScales();
    RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

MainWindow::MainWindow(std::shared_ptr<JoystickSource> joysticks) : joystickSource_(std::move(joysticks)) {}

MainWindow::~MainWindow() {
    J1_.reset();
    J2_.reset();
    for (auto& page : pages_) page.reset();
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

    // The list asks for each row as it draws it.
    form_.addStyle("LV0", LVS_OWNERDATA);
    form_.build(window_, mainWindowLayout(), fonts_, false, kWindowFirstId);
    images_ = makeStatusImages(fonts_.scaled(kImageSize));
    list_.attach(form_["LV0"], images_);

    auto gameInfo = std::make_unique<GameInfoPage>(model_, model_.gameInfo);
    auto controlsPage = std::make_unique<ControlsPage>(model_, model_.controls);
    gameInfoPage_ = gameInfo.get();
    controlsPage_ = controlsPage.get();
    pages_[kGameInfoPage] = std::move(gameInfo);
    pages_[kGeneralPage] = std::make_unique<Page>(model_, kGeneralPage, model_.general, generalPageLayout());
    pages_[kVideoPage] = std::make_unique<VideoPage>(model_, model_.video);
    pages_[kSoundPage] = std::make_unique<Page>(model_, kSoundPage, model_.sound, soundPageLayout());
    pages_[kControlsPage] = std::move(controlsPage);
    pages_[kAboutPage] = std::make_unique<Page>(model_, kAboutPage, model_.page(kAboutPage), aboutPageLayout());
    pages_[kLanguagePanel] = std::make_unique<LanguagePanel>(model_, model_.startup.panel);
    const RECT area = pageArea();
    RECT whole;
    GetClientRect(window_, &whole);
    for (int index = 0; index <= kLanguagePanel; ++index)
        page(index).create(window_, index == kLanguagePanel ? whole : area, fonts_, false, kPageIdBlock * (index + 1));
    ShowWindow(page(kLanguagePanel).window(), SW_HIDE);
    // The pages lie over the tab control, which clips them out of its own drawing.
    for (int index = 0; index < kPageCount; ++index)
        SetWindowPos(page(index).window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    createJoysticks();
    showPage(kGameInfoPage);
}

void MainWindow::setTaskbarProgress(std::unique_ptr<TaskbarProgress> progress) {
    taskbar_ = std::move(progress);
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
            model_.J1JoyMove(index + 1, x, y, buttons);
        };
        poller.onRemoved = [this] { model_.J1JoyRemoved(); };
    }
}

RECT MainWindow::pageArea() const {
    HWND tabs = form_["PC1"];
    RECT area;
    GetClientRect(tabs, &area);
    TabCtrl_AdjustRect(tabs, FALSE, &area);
    MapWindowPoints(tabs, window_, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

void MainWindow::showCaptions(bool english) {
    form_.showCaptions(english);
    list_.showColumns(english);
    for (const auto& page : pages_) page->showCaptions(english);
}

void MainWindow::start() {
    try {
        model_.FormShow();
    } catch (const std::exception& error) {
        showError(errorReportText(error.what()));
    }
}

void MainWindow::showPage(int index) {
    TabCtrl_SetCurSel(form_["PC1"], index);
    showUnderPanel();
}

void MainWindow::showUnderPanel() {
    const bool covered = model_.startup.panel.visible;
    for (const char* name : {"LV0", "PC1"}) ShowWindow(form_[name], covered ? SW_HIDE : SW_SHOWNA);
    const int shown = currentPage();
    for (int i = 0; i < kPageCount; ++i) ShowWindow(page(i).window(), i == shown && !covered ? SW_SHOW : SW_HIDE);
}

void MainWindow::drawPage(int index) {
    page(index).drawModel();
    if (index == kLanguagePanel) showUnderPanel();
}

void MainWindow::focus(std::string_view control) {
    HWND target = form_.find(control);
    for (int index = 0; index <= kLanguagePanel && target == nullptr; ++index) target = page(index).form().find(control);
    if (target != nullptr) SetFocus(target);
}

std::string MainWindow::nameOf(HWND control) {
    if (const char* name = form_.nameOf(control)) return name;
    for (int index = 0; index <= kLanguagePanel; ++index)
        if (const char* name = page(index).form().nameOf(control)) return name;
    return {};
}

void MainWindow::process(MSG& message) {
    if (takeKey(message)) return;
    if (IsDialogMessageW(window_, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool MainWindow::takeKey(const MSG& message) {
    const bool down = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    const bool up = message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
    if ((!down && !up) || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) return false;
    const auto key = static_cast<UINT>(message.wParam);
    if (up) {
        // The release of a key that a capture took goes nowhere: Alt or F10 would open the menu.
        if (key != capturedKey_) return false;
        capturedKey_ = 0;
        return true;
    }
    HWND receiver = controlsPage_->form()["E4"];
    if (message.hwnd == receiver) {
        // Every key is an input to capture, also those of the dialog keys and of the menu.
        DispatchMessageW(&message);
        if (!IsWindowEnabled(receiver)) capturedKey_ = key;
        return true;
    }
    try {
        return model_.keyDown(nameOf(message.hwnd), static_cast<int>(key),
                              {GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0});
    } catch (const std::exception& error) {
        showError(errorReportText(error.what()));
        return true;
    }
}

void MainWindow::setCaption(const std::string& text) {
    SetWindowTextW(window_, wide(text).c_str());
}

void MainWindow::reportCorruptedSettings(const char* text) {
    showError(text);
    PostMessageW(window_, WM_CLOSE, 0, 0);
}

void MainWindow::reportError(const std::string& text) {
    showError(errorReportText(text));
}

std::string MainWindow::chooseFolder(const std::string& prompt) {
    return win32::chooseFolder(window_, prompt);
}

void MainWindow::openWebPage(const char* address) {
    ShellExecuteW(window_, L"open", wide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void MainWindow::runRendererDialog() {
    if (!rendererDialog_) rendererDialog_ = std::make_unique<SoftwareRendererDialog>(emulator::kSoftwareRendererPlugin);
    // The plug-in's dialog runs on this thread; the window takes no input meanwhile.
    rendererDialog_->run(window_);
}

bool MainWindow::loadPicture(const std::string& path) {
    return gameInfoPage_->loadPicture(path);
}

void MainWindow::captureStarted() {
    // Without a joystick on a port its capture fails; keys still work.
    J1_->poller().startCapture();
    J2_->poller().startCapture();
    controlsPage_->focusKeyReceiver();
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
    for (int index = 0; index < kPageCount; ++index)
        MoveWindow(page(index).window(), area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

// The window itself stays enabled while a scan runs: it repaints, moves and takes Esc. The
// pages lie over the tab control, not in it, so they are locked with it.
void MainWindow::lockControls(bool locked) {
    if (locked) focusBeforeScan_ = GetFocus();
    for (const std::string_view name : kLockedDuringScan) {
        if (name == "P2") {
            page(kLanguagePanel).form().lock(locked);
            continue;
        }
        EnableWindow(form_[name], !locked);
        if (name == "PC1")
            for (int index = 0; index < kPageCount; ++index) page(index).form().lock(locked);
    }
    if (locked) return;
    if (focusBeforeScan_ != nullptr && IsWindow(focusBeforeScan_) && IsWindowEnabled(focusBeforeScan_))
        SetFocus(focusBeforeScan_);
    focusBeforeScan_ = nullptr;
    if (quitAfterScan_) PostQuitMessage(static_cast<int>(quitCode_));
    quitAfterScan_ = false;
}

void MainWindow::showScanProgress(int applied, int total) {
    // The caption shows how far the scan is, and so does the taskbar button.
    if (!taskbar_) taskbar_ = systemTaskbarProgress();
    taskbar_->show(window_, applied, total);
    if (total > 0) handlePendingMessages();
}

bool MainWindow::awaitScanResults() {
    if (quitAfterScan_) return false;
    MSG message;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got < 0) return false;
    if (got == 0) {
        // The program is to end: the scan stops, and the quit waits for its end.
        quitAfterScan_ = true;
        quitCode_ = message.wParam;
        model_.stopScan();
        return true;
    }
    handleMessage(message);
    handlePendingMessages();
    return true;
}

void MainWindow::wakeScan() {
    PostMessageW(window_, kScanWakeMessage, 0, 0);
}

void MainWindow::handleMessage(MSG& message) {
    if (isEscape(message) && (message.hwnd == window_ || IsChild(window_, message.hwnd)) && model_.stopScan()) return;
    if (IsDialogMessageW(window_, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void MainWindow::handlePendingMessages() {
    MSG message;
    while (!quitAfterScan_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quitAfterScan_ = true;
            quitCode_ = message.wParam;
            model_.stopScan();
            break;
        }
        handleMessage(message);
    }
}

// The window is out of the way while the emulator runs and takes no input; the joysticks stay
// quiet while the emulator has them (their timers keep ticking in the wait's message loop).
void MainWindow::hideWindow() {
    ShowWindow(window_, SW_HIDE);
    EnableWindow(window_, FALSE);
    J1_->poller().pauseReports();
    J2_->poller().pauseReports();
}

// The wait keeps answering the system's messages; the window comes back when the emulator ends.
void MainWindow::startEmulator(const std::string& commandLine, bool hideConsole) {
    EmulatorProcess emulator;
    emulator.start(commandLine, hideConsole);
    emulator.wait();
    model_.emulatorEnded();
}

void MainWindow::showWindow() {
    J1_->poller().resumeReports();
    J2_->poller().resumeReports();
    EnableWindow(window_, TRUE);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
}

// Enter on its own or with Shift launches; Ctrl+F11 asks for the batch file (the window
// model decides, from the keys held).
void MainWindow::LV0KeyDown(UINT key) {
    const ListKey which = key == VK_RETURN ? ListKey::Enter : key == VK_F11 ? ListKey::F11 : ListKey::Other;
    if (which == ListKey::Other) return;
    model_.LV0KeyDown(which, {GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0});
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
            const int index = currentPage();
            showPage(index);
            model_.pageShown(index);
            return 0;
        }
        if (header->hwndFrom == form_["LV0"] && (header->code == LVN_ITEMCHANGED || header->code == LVN_ODSTATECHANGED)) {
            // An entry became the selected one.
            const int row = list_.newlySelected(header);
            if (row >= 0) model_.LV0SelectItem(list_.numberAt(row));
            return 0;
        }
        if (header->hwndFrom == form_["LV0"] && header->code == NM_DBLCLK) {
            model_.LV0DblClick();
            return 0;
        }
        if (header->hwndFrom == form_["LV0"] && header->code == LVN_KEYDOWN) {
            LV0KeyDown(reinterpret_cast<NMLVKEYDOWN*>(lParam)->wVKey);
            return 0;
        }
        if (header->hwndFrom == form_["LV0"] && header->code == LVN_COLUMNCLICK) {
            model_.LV0ColumnClick(reinterpret_cast<NMLISTVIEW*>(lParam)->iSubItem);
            return 0;
        }
        LRESULT answer = 0;
        if (header->hwndFrom == form_["LV0"] && list_.notify(header, answer)) return answer;
        break;
    }
    case WM_COMMAND:
        // Esc turned into the window's cancel command by the dialog keys stops a scan.
        if (LOWORD(wParam) == IDCANCEL) model_.stopScan();
        // Enter in the list, turned into the window's default command by the dialog keys.
        if (LOWORD(wParam) == IDOK && GetFocus() == form_["LV0"]) LV0KeyDown(VK_RETURN);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // Esc while the window is active and none of its controls has the focus (locked).
        if (wParam == VK_ESCAPE && model_.stopScan()) return 0;
        break;
    case WM_CLOSE:
        // A close during a scan stops it; the window closes once the statuses are written.
        if (!model_.closeRequested()) return 0;
        break;
    case kScanWakeMessage: return 0;
    case WM_DPICHANGED:
        rescale(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        if (GetWindowLongPtrW(window_, GWLP_USERDATA) != 0) PostQuitMessage(0);
        return 0;
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace tavrix::win32
