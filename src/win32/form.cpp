#include "win32/form.h"

#include "core/layout_rules.h"
#include "core/text.h"
#include "platform/win32/annotations.h"
#include "win32/fonts.h"

#include <commctrl.h>
#include <oleacc.h>

#include <stdexcept>
#include <string>

namespace tavrix::win32 {

std::wstring wide(std::string_view text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

std::string narrow(std::wstring_view text) {
    if (text.empty()) return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

namespace {

struct WindowClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle = 0;
};

WindowClass classOf(const ControlRow& desc) {
    // Text on one line, cut at the right edge rather than wrapped, as the labels always were.
    const DWORD centred = (desc.font & kCentred) != 0 ? SS_CENTER : SS_LEFTNOWORDWRAP;
    switch (desc.kind) {
    // A group without a frame is a plain panel in front of what lies behind it, which it does
    // not paint over what lies in front of it.
    case ControlKind::Group:
        return desc.framed ? WindowClass{L"BUTTON", BS_GROUPBOX} : WindowClass{L"STATIC", SS_NOTIFY | WS_CLIPSIBLINGS};
    case ControlKind::Label: return {L"STATIC", centred | SS_NOPREFIX};
    case ControlKind::ClickLabel:
        return {L"STATIC", centred | SS_NOPREFIX | SS_NOTIFY | (desc.byKeys ? WS_TABSTOP : 0)};
    case ControlKind::CheckBox: return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP};
    case ControlKind::RadioButton: return {L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP};
    case ControlKind::ComboBox: return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP};
    case ControlKind::Edit: return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    // No UDS_SETBUDDYINT: the box takes any text, and the page steps it itself.
    case ControlKind::UpDown: return {UPDOWN_CLASSW, UDS_ARROWKEYS | UDS_NOTHOUSANDS};
    case ControlKind::Button: return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
    case ControlKind::ListView:
        return {WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, WS_EX_CLIENTEDGE};
    // A bitmap scaled to the control's size.
    case ControlKind::Picture: return {L"STATIC", SS_NOTIFY | SS_BITMAP | SS_REALSIZECONTROL};
    case ControlKind::TabControl: return {WC_TABCONTROLW, WS_CLIPSIBLINGS | WS_TABSTOP};
    }
    return {L"STATIC", SS_LEFT};
}

bool hasCaption(ControlKind kind) {
    switch (kind) {
    case ControlKind::Group:
    case ControlKind::Label:
    case ControlKind::ClickLabel:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::Button: return true;
    default: return false;
    }
}

// A combo box's window height includes its drop-down list: room for every entry.
constexpr int kDropDownRoom = 200;
// The tab control's padding beside and above each tab's caption.
constexpr int kTabPadding = 3;

// A drop-down list's closed box as high as `height`: its selection field and its frame.
void fitComboHeight(HWND combo, int height) {
    LRESULT field = height - 6;
    for (int attempt = 0; attempt < 2; ++attempt) {
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
        RECT box;
        GetWindowRect(combo, &box);
        if (box.bottom - box.top == height) return;
        field += height - (box.bottom - box.top);
    }
}

// Whether a text has Hangul, which the window's face may not have.
bool hasHangul(std::wstring_view text) {
    for (const wchar_t c : text)
        if ((c >= 0x1100 && c <= 0x11FF) || (c >= 0x3130 && c <= 0x318F) || (c >= 0xAC00 && c <= 0xD7AF)) return true;
    return false;
}

}  // namespace

LRESULT CALLBACK Form::focusableText(HWND text, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(text, nullptr, TRUE); break;
    case WM_PAINT: {
        const LRESULT result = DefSubclassProc(text, message, wParam, lParam);
        if (GetFocus() == text) {
            RECT frame;
            GetClientRect(text, &frame);
            HDC canvas = GetDC(text);
            DrawFocusRect(canvas, &frame);
            ReleaseDC(text, canvas);
        }
        return result;
    }
    case WM_NCDESTROY: RemoveWindowSubclass(text, &Form::focusableText, 1); break;
    default: break;
    }
    return DefSubclassProc(text, message, wParam, lParam);
}

LRESULT CALLBACK Form::listColumns(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR row) {
    const std::vector<int>& minimums = reinterpret_cast<const ControlRow*>(row)->minimumWidths;
    const auto minimum = [&](int column) {
        return column >= 0 && column < static_cast<int>(minimums.size()) ? scaledFor(list, minimums[column]) : 0;
    };
    if (message == WM_NOTIFY) {
        // A column about to become narrower than its minimum, by a drag or by the program,
        // becomes as wide as the minimum instead.
        auto* change = reinterpret_cast<NMHEADERW*>(lParam);
        if (change->hdr.hwndFrom == ListView_GetHeader(list) &&
            (change->hdr.code == HDN_ITEMCHANGINGW || change->hdr.code == HDN_ITEMCHANGINGA) && change->pitem != nullptr &&
            (change->pitem->mask & HDI_WIDTH) != 0 && change->pitem->cxy < minimum(change->iItem)) {
            SendMessageW(list, LVM_SETCOLUMNWIDTH, change->iItem, minimum(change->iItem));
            return TRUE;
        }
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(list, &Form::listColumns, 1);
    return DefSubclassProc(list, message, wParam, lParam);
}

Form::~Form() {
    for (std::size_t i = 0; i < handles_.size(); ++i)
        annotations().clear(handles_[i], layout_->controls[i].kind == ControlKind::UpDown ? 2 : 0);
}

int Form::scaled(int pixels) const {
    return tavrix::scaled(pixels, dpi_);
}

std::size_t Form::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < layout_->controls.size(); ++i)
        if (name == layout_->controls[i].name) return i;
    throw std::out_of_range("no control " + std::string(name));
}

HWND Form::operator[](std::string_view name) const {
    return handles_[indexOf(name)];
}

HWND Form::find(std::string_view name) const {
    for (std::size_t i = 0; i < handles_.size(); ++i)
        if (name == layout_->controls[i].name) return handles_[i];
    return nullptr;
}

const char* Form::nameOf(HWND control) const {
    for (; control != nullptr; control = GetParent(control))
        for (std::size_t i = 0; i < handles_.size(); ++i)
            if (handles_[i] == control) return layout_->controls[i].name;
    return nullptr;
}

int Form::id(std::string_view name) const {
    return firstId_ + static_cast<int>(indexOf(name));
}

const char* Form::nameOf(int id) const {
    const int index = id - firstId_;
    if (layout_ == nullptr || index < 0 || index >= static_cast<int>(layout_->controls.size())) return nullptr;
    return layout_->controls[static_cast<std::size_t>(index)].name;
}

Rect Form::placeOf(std::string_view name) const {
    return pagePlace(*layout_, name, dpi_);
}

void Form::build(HWND page, const FormLayout& layout, FontSet& fonts, bool english, int firstId) {
    layout_ = &layout;
    firstId_ = firstId;
    fonts_ = &fonts;
    dpi_ = fonts.dpi();
    english_ = english;
    handles_.clear();
    namedByText_.clear();
    ownEnabled_.clear();
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(page, GWLP_HINSTANCE));
    std::vector<bool> labelled;  // a label names the control
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
        const ControlRow& desc = layout.controls[i];
        const WindowClass type = classOf(desc);
        // A control starts a group of its own for the dialog keys and the radio items' automatic
        // unchecking, except a radio item that follows another of the same box.
        const bool continuesRadios = desc.kind == ControlKind::RadioButton && i > 0 &&
                                     layout.controls[i - 1].kind == ControlKind::RadioButton &&
                                     std::string_view(layout.controls[i - 1].parent) == desc.parent;
        bool visible = desc.visible;
        for (const char* parent = desc.parent; parent != nullptr; parent = layout[parent].parent)
            visible = visible && layout[parent].visible;
        DWORD style = WS_CHILD | type.style | (continuesRadios ? 0 : WS_GROUP) | (visible ? WS_VISIBLE : 0);
        for (const auto& [name, extra] : extraStyles_)
            if (name == desc.name) style |= extra;
        const Rect place = placeOf(desc.name);
        const int height = place.height + (desc.kind == ControlKind::ComboBox ? scaled(kDropDownRoom) : 0);
        HWND control = CreateWindowExW(type.exStyle, type.name, L"", style, place.x, place.y, place.width, height, page,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstId + static_cast<int>(i))),
                                       instance, nullptr);
        handles_.push_back(control);
        ownEnabled_.push_back(desc.enabled ? 1 : 0);
        // Named by its own caption unless the table names it or a label does.
        bool namedByLabel = false;
        for (const ControlRow& label : layout.controls)
            namedByLabel = namedByLabel || (label.buddy != nullptr && label.kind != ControlKind::UpDown &&
                                            std::string_view(label.buddy) == desc.name);
        labelled.push_back(namedByLabel);
        namedByText_.push_back(desc.accessibleName.empty() && !namedByLabel && hasCaption(desc.kind) ? 1 : 0);

        switch (desc.kind) {
        case ControlKind::CheckBox:
        case ControlKind::RadioButton: setChecked(desc.name, desc.checked); break;
        case ControlKind::Edit: SetWindowTextW(control, wide(desc.caption.ko).c_str()); break;
        case ControlKind::UpDown:
            SendMessageW(control, UDM_SETBUDDY, reinterpret_cast<WPARAM>((*this)[desc.buddy]), 0);
            SendMessageW(control, UDM_SETRANGE32, desc.minimum, desc.maximum);
            SendMessageW(control, UDM_SETPOS32, 0, desc.position);
            break;
        case ControlKind::ClickLabel:
            if (desc.byKeys) SetWindowSubclass(control, &Form::focusableText, 1, 0);
            break;
        case ControlKind::ListView: {
            // The columns cannot be dragged into another order.
            SendMessageW(control, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
            if (!desc.minimumWidths.empty())
                SetWindowSubclass(control, &Form::listColumns, 1, reinterpret_cast<DWORD_PTR>(&desc));
            for (std::size_t column = 0; column < desc.items.size(); ++column) {
                LVCOLUMNW header{};
                header.mask = LVCF_WIDTH | LVCF_TEXT;
                header.cx = scaled(column < desc.widths.size() ? desc.widths[column] : 100);
                header.pszText = const_cast<wchar_t*>(L"");
                SendMessageW(control, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&header));
            }
            break;
        }
        case ControlKind::TabControl:
            // No minimum width, so that every tab's caption shows whole in the table's width; the
            // padding goes with the scale.
            SendMessageW(control, TCM_SETMINTABWIDTH, 0, 0);
            for (std::size_t tab = 0; tab < desc.items.size(); ++tab) {
                TCITEMW item{};
                item.mask = TCIF_TEXT;
                item.pszText = const_cast<wchar_t*>(L"");
                SendMessageW(control, TCM_INSERTITEMW, tab, reinterpret_cast<LPARAM>(&item));
            }
            break;
        default: break;
        }
    }
    // A screen reader that reads an edit box by the label just before it finds the label that
    // names it there; an edit box that no label names goes first, after no label at all.
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
        const ControlRow& desc = layout.controls[i];
        if (desc.kind == ControlKind::Edit && !labelled[i])
            SetWindowPos(handles_[i], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (desc.kind == ControlKind::UpDown || desc.buddy == nullptr) continue;
        HWND label = handles_[i], named = (*this)[desc.buddy];
        HWND above = GetWindow(named, GW_HWNDPREV);
        if (above != label)
            SetWindowPos(label, above != nullptr ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
        if (layout.controls[i].tip.empty()) continue;
        if (tips_ == nullptr)
            tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, page, nullptr, instance, nullptr);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = page;
        tool.uId = reinterpret_cast<UINT_PTR>(handles_[i]);
        tool.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    built_ = false;
    showCaptions(english);
    built_ = true;
    markRadioTabStops();
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
        const ControlRow& desc = layout.controls[i];
        if (desc.kind == ControlKind::ComboBox) SendMessageW(handles_[i], CB_SETCURSEL, desc.selected, 0);
    }
    applyEnabled();
}

void Form::rescale() {
    const int from = dpi_;
    dpi_ = fonts_->dpi();
    for (std::size_t i = 0; i < handles_.size(); ++i) {
        place(i);
        // Columns keep their share of the list: a width the user dragged grows with the rest.
        if (layout_->controls[i].kind == ControlKind::ListView) {
            HWND list = handles_[i];
            for (int column = 0; column < Header_GetItemCount(ListView_GetHeader(list)); ++column)
                ListView_SetColumnWidth(list, column, MulDiv(ListView_GetColumnWidth(list, column), dpi_, from));
        }
    }
    for (const auto& repaint : rescaled_) repaint();
}

void Form::place(std::size_t index) {
    const ControlRow& desc = layout_->controls[index];
    const Rect place = placeOf(desc.name);
    const int height = place.height + (desc.kind == ControlKind::ComboBox ? scaled(kDropDownRoom) : 0);
    MoveWindow(handles_[index], place.x, place.y, place.width, height, TRUE);
    applyFont(index);
}

HFONT Form::fontFor(std::size_t index) const {
    const ControlRow& desc = layout_->controls[index];
    // English text in the window's face; a text with Hangul, in any language, in a face that has it.
    wchar_t shown[256] = L"";
    if (english_ && hasCaption(desc.kind)) GetWindowTextW(handles_[index], shown, 256);
    return fonts_->font(english_ && !hasHangul(shown), desc.font, desc.pixelSize);
}

void Form::applyFont(std::size_t index) {
    const ControlRow& desc = layout_->controls[index];
    HWND control = handles_[index];
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(index)), FALSE);
    // The closed box is as high as the table says, whatever its font.
    if (desc.kind == ControlKind::ComboBox) fitComboHeight(control, placeOf(desc.name).height);
    if (desc.kind == ControlKind::TabControl)
        SendMessageW(control, TCM_SETPADDING, 0, MAKELPARAM(scaled(kTabPadding), scaled(kTabPadding)));
    InvalidateRect(control, nullptr, TRUE);
}

void Form::annotate(std::size_t index) {
    const ControlRow& desc = layout_->controls[index];
    HWND control = handles_[index];
    Annotations& notes = annotations();
    const std::string name =
        namedByText_[index] != 0 ? trim(text(desc.name)) : spokenName(*layout_, desc, english_);
    notes.setName(control, CHILDID_SELF, wide(name));
    if (desc.kind == ControlKind::UpDown) {
        notes.setName(control, 1, wide(trim(desc.accessibleName.in(english_))));  // the up arrow
        notes.setName(control, 2, wide(trim(desc.downName.in(english_))));
    }
    if (desc.buttonLike) notes.setRole(control, CHILDID_SELF, ROLE_SYSTEM_PUSHBUTTON);
}

void Form::showCaptions(bool english) {
    english_ = english;
    for (std::size_t i = 0; i < layout_->controls.size(); ++i) {
        const ControlRow& desc = layout_->controls[i];
        HWND control = handles_[i];
        if (hasCaption(desc.kind)) SetWindowTextW(control, wide(desc.caption.in(english)).c_str());
        applyFont(i);
        // Items the page model rebuilds keep the language they were made in.
        if (desc.kind == ControlKind::ComboBox && !(desc.liveItems && built_)) {
            const LRESULT selected = SendMessageW(control, CB_GETCURSEL, 0, 0);
            SendMessageW(control, CB_RESETCONTENT, 0, 0);
            for (const Caption& item : desc.items)
                SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item.in(english)).c_str()));
            SendMessageW(control, CB_SETCURSEL, selected, 0);
        }
        if (desc.kind == ControlKind::ListView) {
            const int columns = Header_GetItemCount(ListView_GetHeader(control));
            for (int column = 0; column < columns && column < static_cast<int>(desc.items.size()); ++column) {
                std::wstring text = wide(desc.items[static_cast<std::size_t>(column)].in(english));
                LVCOLUMNW header{};
                header.mask = LVCF_TEXT;
                header.pszText = text.data();
                SendMessageW(control, LVM_SETCOLUMNW, column, reinterpret_cast<LPARAM>(&header));
            }
        }
        if (desc.kind == ControlKind::TabControl) {
            for (std::size_t tab = 0; tab < desc.items.size(); ++tab) {
                std::wstring text = wide(desc.items[tab].in(english));
                TCITEMW item{};
                item.mask = TCIF_TEXT;
                item.pszText = text.data();
                SendMessageW(control, TCM_SETITEMW, tab, reinterpret_cast<LPARAM>(&item));
            }
        }
        if (!desc.tip.empty() && tips_ != nullptr) {
            std::wstring text = wide(desc.tip.in(english));
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = GetParent(control);
            tool.uId = reinterpret_cast<UINT_PTR>(control);
            tool.lpszText = text.data();
            SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        annotate(i);
    }
}

std::string Form::tip(std::string_view name) const {
    if (tips_ == nullptr) return {};
    wchar_t text[512] = L"";
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = GetParent((*this)[name]);
    tool.uId = reinterpret_cast<UINT_PTR>((*this)[name]);
    tool.lpszText = text;
    SendMessageW(tips_, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    return narrow(text);
}

bool Form::checked(std::string_view name) const {
    return SendMessageW((*this)[name], BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Form::setChecked(std::string_view name, bool checked) {
    SendMessageW((*this)[name], BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (built_ && layout_->controls[indexOf(name)].kind == ControlKind::RadioButton) markRadioTabStops();
}

void Form::markRadioTabStops() {
    for (std::size_t i = 0; i < handles_.size(); ++i) {
        const ControlRow& item = layout_->controls[i];
        if (item.kind != ControlKind::RadioButton) continue;
        const std::vector<HWND> items = radioItems(item.parent);
        const int checked = radioIndex(item.parent);
        const bool stop = handles_[i] == items[static_cast<std::size_t>(checked >= 0 ? checked : 0)];
        const LONG style = GetWindowLongW(handles_[i], GWL_STYLE);
        if (((style & WS_TABSTOP) != 0) != stop) SetWindowLongW(handles_[i], GWL_STYLE, style ^ WS_TABSTOP);
    }
}

int Form::selection(std::string_view name) const {
    return static_cast<int>(SendMessageW((*this)[name], CB_GETCURSEL, 0, 0));
}

void Form::setItems(std::string_view name, const std::vector<std::string>& items) {
    HWND combo = (*this)[name];
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item).c_str()));
}

void Form::setVisible(std::string_view name, bool visible) {
    ShowWindow((*this)[name], visible ? SW_SHOWNA : SW_HIDE);
}

void Form::setSelection(std::string_view name, int index) {
    SendMessageW((*this)[name], CB_SETCURSEL, index, 0);
}

std::string Form::text(std::string_view name) const {
    HWND control = (*this)[name];
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return narrow(text);
}

void Form::setText(std::string_view name, std::string_view text) {
    if (this->text(name) == text) return;
    SetWindowTextW((*this)[name], wide(text).c_str());
    const std::size_t index = indexOf(name);
    if (HFONT font = fontFor(index); reinterpret_cast<HFONT>(SendMessageW(handles_[index], WM_GETFONT, 0, 0)) != font)
        SendMessageW(handles_[index], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (namedByText_[index] != 0) annotate(index);
}

void Form::setEnabled(std::string_view name, bool enabled) {
    ownEnabled_[indexOf(name)] = enabled ? 1 : 0;
    applyEnabled();
}

bool Form::enabled(std::string_view name) const {
    return IsWindowEnabled((*this)[name]) != 0;
}

void Form::lock(bool locked) {
    locked_ = locked;
    applyEnabled();
}

void Form::applyEnabled() {
    for (std::size_t i = 0; i < handles_.size(); ++i) {
        bool enabled = !locked_ && ownEnabled_[i] != 0;
        for (const char* parent = layout_->controls[i].parent; parent != nullptr && enabled;
             parent = (*layout_)[parent].parent)
            enabled = ownEnabled_[indexOf(parent)] != 0;
        if ((IsWindowEnabled(handles_[i]) != 0) != enabled) EnableWindow(handles_[i], enabled);
    }
}

std::vector<HWND> Form::radioItems(std::string_view group) const {
    std::vector<HWND> items;
    for (std::size_t i = 0; i < handles_.size(); ++i) {
        const ControlRow& desc = layout_->controls[i];
        if (desc.kind == ControlKind::RadioButton && desc.parent != nullptr && group == desc.parent)
            items.push_back(handles_[i]);
    }
    return items;
}

int Form::radioIndex(std::string_view group) const {
    const std::vector<HWND> items = radioItems(group);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (SendMessageW(items[i], BM_GETCHECK, 0, 0) == BST_CHECKED) return static_cast<int>(i);
    return -1;
}

void Form::setRadioIndex(std::string_view group, int index) {
    const std::vector<HWND> items = radioItems(group);
    for (std::size_t i = 0; i < items.size(); ++i)
        SendMessageW(items[i], BM_SETCHECK, static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED, 0);
    markRadioTabStops();
}

}  // namespace tavrix::win32
