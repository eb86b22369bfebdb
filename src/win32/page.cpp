#include "win32/page.h"

#include "core/error.h"
#include "win32/error_box.h"

#include <commctrl.h>

#include <exception>

namespace tavrix::win32 {

namespace {
constexpr const wchar_t* kPageClass = L"TavrixPage";
const FormLayout kNoControls{};

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
    english_ = english;
    form_.build(window_, layout_ != nullptr ? *layout_ : kNoControls, fonts, english, firstId);
    created();
}

void Page::showCaptions(bool english) {
    english_ = english;
    form_.showCaptions(english);
}

void Page::drawModel() {
    drawing_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{drawing_};
    drawBindings();
    showModel();
}

void Page::enable(std::initializer_list<const char*> names, bool enabled) {
    for (const char* name : names) form_.setEnabled(name, enabled);
}

void Page::takeBound(const char* name, int code) {
    const ControlRow& desc = form_.layout()[name];
    // A radio item speaks for its box.
    const std::string_view owner = desc.kind == ControlKind::RadioButton ? desc.parent : desc.name;
    for (const Binding& binding : bindings_) {
        if (binding.name != owner) continue;
        if (binding.checked != nullptr && code == BN_CLICKED) *binding.checked = form_.checked(name);
        if (binding.selection != nullptr && code == BN_CLICKED && desc.kind == ControlKind::RadioButton)
            *binding.selection = form_.radioIndex(owner);
        if (binding.selection != nullptr && code == CBN_SELCHANGE) *binding.selection = form_.selection(name);
        if (binding.text != nullptr && code == EN_CHANGE) *binding.text = form_.text(name);
    }
}

void Page::drawBindings() {
    for (const Binding& binding : bindings_) {
        const ControlRow& desc = form_.layout()[binding.name];
        if (binding.checked != nullptr) form_.setChecked(binding.name, *binding.checked);
        if (binding.selection != nullptr && desc.kind == ControlKind::Group)
            form_.setRadioIndex(binding.name, *binding.selection);
        else if (binding.selection != nullptr)
            form_.setSelection(binding.name, *binding.selection);
        if (binding.text != nullptr) form_.setText(binding.name, *binding.text);
    }
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
    switch (message) {
    case WM_COMMAND: {
        const char* name = form_.nameOf(LOWORD(wParam));
        if (name != nullptr && !drawing_) {
            takeBound(name, HIWORD(wParam));
            command(name, HIWORD(wParam));
        }
        return 0;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        const char* name = form_.nameOf(static_cast<int>(header->idFrom));
        if (name == nullptr) break;
        if (header->code == UDN_DELTAPOS) {
            const ControlRow& desc = form_.layout()[name];
            stepUpDown(desc, reinterpret_cast<NMUPDOWN*>(lParam)->iDelta);
            return TRUE;  // the page has moved the position itself
        }
        LRESULT result = 0;
        if (!drawing_ && notify(name, header, result)) return result;
        break;
    }
    case WM_CTLCOLORSTATIC: {
        const char* name = form_.nameOf(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
        if (name != nullptr && (form_.layout()[name].font & kNavy) != 0) {
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
