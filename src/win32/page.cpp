#include "win32/page.h"

#include "core/error.h"
#include "win32/error_box.h"

#include <commctrl.h>

#include <exception>

namespace tavrix::win32 {

namespace {
constexpr const wchar_t* kPageClass = L"TavrixPage";

void registerPageClass(HINSTANCE instance) {
    WNDCLASSEXW type{};
    if (GetClassInfoExW(instance, kPageClass, &type)) return;
    type.cbSize = sizeof type;
    type.lpfnWndProc = DefWindowProcW;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = kPageClass;
    RegisterClassExW(&type);
}

// What a control's notification means: a click (buttons, and texts and pictures that report
// clicks), a pick in a list, a new text, a double click.
bool eventOf(ControlKind kind, int code, ControlEvent& event) {
    if (code == BN_CLICKED && kind != ControlKind::ComboBox && kind != ControlKind::Edit) event = ControlEvent::Click;
    else if (kind == ControlKind::ComboBox && code == CBN_SELCHANGE) event = ControlEvent::Pick;
    else if (kind == ControlKind::Edit && code == EN_CHANGE) event = ControlEvent::Text;
    else if (kind == ControlKind::ClickLabel && code == STN_DBLCLK) event = ControlEvent::DoubleClick;
    else return false;
    return true;
}
}  // namespace

Page::~Page() {
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void Page::create(HWND parent, RECT place, FontSet& fonts, bool english, int firstId) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    registerPageClass(instance);
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"", WS_CHILD | WS_CLIPSIBLINGS, place.left, place.top,
                              place.right - place.left, place.bottom - place.top, parent, nullptr, instance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Page::procedure));
    form_.build(window_, layout_, fonts, english, firstId);
    created();
    built_ = true;
}

void Page::drawModel() {
    const DrawingFlag drawing(drawing_);
    showModel();
    drawFields(model_, layout_, form_, host.english());
}

void Page::report(const char* name, ControlEvent event) {
    // Nothing while the controls are made or drawn.
    if (drawing_ || !built_) return;
    takeControlState(model_, layout_[name], form_);
    host.command(index_, name, event);
}

LRESULT CALLBACK Page::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* page = reinterpret_cast<Page*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (page == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return page->handle(message, wParam, lParam);
    } catch (const std::exception& error) {
        showError(errorReportText(error.what()));
        return 0;
    }
}

LRESULT Page::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; this->message(message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_COMMAND: {
        const char* name = form_.nameOf(LOWORD(wParam));
        ControlEvent event;
        if (name != nullptr && eventOf(layout_[name].kind, HIWORD(wParam), event)) report(name, event);
        return 0;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        const char* name = form_.nameOf(static_cast<int>(header->idFrom));
        if (name == nullptr) break;
        if (header->code == UDN_DELTAPOS) {
            stepUpDown(layout_[name], reinterpret_cast<NMUPDOWN*>(lParam)->iDelta);
            return TRUE;  // the page has moved the position itself
        }
        break;
    }
    case WM_CTLCOLORSTATIC: {
        const char* name = form_.nameOf(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
        if (name != nullptr && (layout_[name].font & kNavy) != 0) {
            const LRESULT brush = DefWindowProcW(window_, message, wParam, lParam);
            SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 128));
            return brush;
        }
        break;
    }
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

// One click of an up-down arrow or an arrow key in its box: the box's text becomes the next
// number, which reaches the page as the box's change.
void Page::stepUpDown(const ControlRow& desc, int delta) {
    HWND arrows = form_[desc.name];
    BOOL failed = FALSE;
    const int position = static_cast<int>(SendMessageW(arrows, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
    const int next = tavrix::stepUpDown(form_.text(desc.buddy), position, desc.minimum, desc.maximum, delta > 0 ? 1 : -1);
    SendMessageW(arrows, UDM_SETPOS32, 0, next);
    form_.setText(desc.buddy, std::to_string(next));
}

}  // namespace tavrix::win32
