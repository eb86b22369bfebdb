#include "win32/main_window.h"

#include "core/error.h"
#include "core/ini_document_cache.h"
#include "core/settings.h"
#include "win32/error_box.h"
#include "win32/page_index.h"
#include "win32/sound_page.h"
#include "win32/status_images.h"

#include <exception>

namespace tavrix::win32 {

namespace {
constexpr const wchar_t* kWindowClass = L"TavrixWindow";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Control ids: the window's own, then a block for each page.
constexpr int kWindowFirstId = 100;
constexpr int kPageIdBlock = 1000;

// A page whose controls are not in a table yet.
class EmptyPage : public Page {
public:
    explicit EmptyPage(PageHost& host) : Page(host, nullptr) {}
};
}  // namespace

MainWindow::MainWindow() = default;

MainWindow::~MainWindow() {
    pages_.clear();
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
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
        type.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
        type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        type.lpszClassName = kWindowClass;
        RegisterClassExW(&type);
    }
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // Centred on the desktop's work area.
    RECT desktop{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &desktop, 0);
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, L"Tavrix", kWindowStyle,
                              desktop.left + (desktop.right - desktop.left - width) / 2,
                              desktop.top + (desktop.bottom - desktop.top - height) / 2, width, height, nullptr,
                              nullptr, instance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    form_.build(window_, mainWindowLayout(), fonts_, false, kWindowFirstId);
    images_ = makeStatusImages();
    list_.attach(form_["LV0"], images_);

    pages_.push_back(std::make_unique<EmptyPage>(*this));  // Game Info
    pages_.push_back(std::make_unique<EmptyPage>(*this));  // General Settings
    pages_.push_back(std::make_unique<EmptyPage>(*this));  // Video
    pages_.push_back(std::make_unique<SoundPage>(*this));
    pages_.push_back(std::make_unique<EmptyPage>(*this));  // Controls
    pages_.push_back(std::make_unique<EmptyPage>(*this));  // About
    const RECT area = pageArea();
    for (std::size_t index = 0; index < pages_.size(); ++index)
        pages_[index]->create(window_, area, fonts_, false, kPageIdBlock * static_cast<int>(index + 1));
    // The pages lie over the tab control, which clips them out of its own drawing.
    for (const auto& page : pages_) SetWindowPos(page->window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    showPage(kGameInfoPage);
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

void MainWindow::showCaptions(bool english) {
    english_ = english;
    form_.showCaptions(english);
    list_.showColumns(english);
    for (const auto& page : pages_) page->showCaptions(english);
}

void MainWindow::start() {
    // The interface language, fixed for the run.
    const bool english = readSetting(*IniDocumentCache::shared().load(kSettingsFileName), settings::englishVersion);
    if (english) showCaptions(true);
    list_.fill();
    list_.sort();
    list_.markSortColumn();
    soundPage().B12Click();
    list_.selectFirst();
    showPage(kGameInfoPage);
    SetFocus(form_["LV0"]);
}

void MainWindow::showPage(int index) {
    TabCtrl_SetCurSel(form_["PC1"], index);
    for (std::size_t i = 0; i < pages_.size(); ++i)
        ShowWindow(pages_[i]->window(), static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
}

int MainWindow::currentPage() const {
    return TabCtrl_GetCurSel(form_["PC1"]);
}

void MainWindow::setClientWidth(int width) {
    const int growth = width - kClientWidth;
    RECT frame{0, 0, width, kClientHeight};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const Rect list = form_.placeOf("LV0");
    MoveWindow(form_["LV0"], list.x, list.y, list.width + growth, list.height, TRUE);
    const Rect tabs = form_.placeOf("PC1");
    MoveWindow(form_["PC1"], tabs.x + growth, tabs.y, tabs.width, tabs.height, TRUE);
    const RECT area = pageArea();
    for (const auto& page : pages_)
        MoveWindow(page->window(), area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
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
            if ((change->uChanged & LVIF_STATE) != 0 && (change->uNewState & ~change->uOldState & LVIS_SELECTED) != 0)
                page(kGameInfoPage).gameSelected(list_.numberAt(change->iItem));
            return 0;
        }
        if (header->hwndFrom == form_["LV0"] && list_.notify(header)) return 0;
        break;
    }
    case WM_DESTROY:
        if (GetWindowLongPtrW(window_, GWLP_USERDATA) != 0) PostQuitMessage(0);
        return 0;
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace tavrix::win32
