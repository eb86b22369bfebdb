#pragma once
// The window's controls as data: for every page, each control's kind, name, parent, place,
// captions in both languages and first state. Every front end builds its controls from these
// tables, so the geometry and the texts of the two languages live in one place and the front
// ends cannot drift apart. What a control shows later is the page model's business.
#include <string_view>
#include <utility>
#include <vector>

namespace tavrix {

// One text in both languages, UTF-8. Without an English text the built-in Korean one stays;
// an empty English text blanks the control.
struct Caption {
    const char* ko = "";
    const char* en = nullptr;

    // The text shown in the given language.
    const char* in(bool english) const { return english && en != nullptr ? en : ko; }
    bool hasEnglish() const { return en != nullptr; }
    bool empty() const { return *ko == '\0' && (en == nullptr || *en == '\0'); }
};

enum class ControlKind {
    Group,        // a framed box with a title; unframed, a plain area that holds other controls
    Label,        // static text
    ClickLabel,   // static text that reports clicks and double clicks
    CheckBox,
    RadioButton,  // one item of the radio group its parent group box forms, in table order
    ComboBox,     // a drop-down list to pick from; `items` are its entries
    Edit,         // one line of free text
    UpDown,       // two arrow buttons stepping the whole number in the edit box `buddy`
    Button,
    ListView,     // a report list; `items` are the column headers, `widths` their widths
    Picture,      // an area the front end paints (a snapshot, a flag)
    TabControl,   // the page tabs; `items` are the tab captions
};

// How a text is drawn, beyond the system's normal look.
enum FontStyle : unsigned {
    kPlain = 0,
    kBold = 1,
    kCentred = 2,
    kNavy = 4,  // dark blue text
};

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

struct ControlRow {
    ControlKind kind = ControlKind::Label;
    const char* name = "";
    const char* parent = nullptr;  // the group box it lies in; nullptr: the page itself
    Rect place;                    // relative to the parent's client area
    Caption caption;               // the text of a label, button, box or group
    std::vector<Caption> items;    // combo-box entries or list-view column headers
    std::vector<int> widths;       // list-view column widths
    std::vector<int> minimumWidths;  // the narrowest a list-view column may be dragged, by column
    int selected = -1;             // a combo box's first selection
    // A combo box whose items the page model rebuilds at run time: its first items are made
    // in the language of the moment and are not captioned again when the language changes.
    bool liveItems = false;
    bool checked = false;          // a check box's or radio item's first state
    bool enabled = true;
    bool visible = true;
    bool framed = true;            // a group: drawn with its frame and title
    unsigned font = kPlain;        // FontStyle bits (bold and size for any control)
    int pixelSize = 0;             // a larger text size in pixels; 0: the system's
    const char* buddy = nullptr;   // a label: the control it names; an up-down: its edit box
    Caption accessibleName;        // what a screen reader says of a control without a caption
    Caption downName;              // an up-down's down button (accessibleName: the up button)
    Caption tip;                   // a tool tip
    bool buttonLike = false;       // text that acts when clicked: a screen reader reads it as a button
    bool byKeys = false;           // text that is a tab stop, whose action Enter or Space runs
    int minimum = 0, maximum = 0;  // an up-down's range
    int position = 0;              // an up-down's first position

    // Chainable adjustments, so a table row reads as one line.
    ControlRow& off() { enabled = false; return *this; }
    ControlRow& hidden() { visible = false; return *this; }
    ControlRow& on() { checked = true; return *this; }
    ControlRow& pick(int index) { selected = index; return *this; }
    ControlRow& live() { liveItems = true; return *this; }
    ControlRow& style(unsigned bits, int size = 0) { font = bits; pixelSize = size; return *this; }
    ControlRow& names(const char* control) { buddy = control; return *this; }
    ControlRow& spoken(Caption name) { accessibleName = name; return *this; }
    ControlRow& tipped(Caption text) { tip = text; return *this; }
    ControlRow& likeButton() { buttonLike = true; return *this; }
    ControlRow& keys() { byKeys = true; return *this; }
    ControlRow& atLeast(std::vector<int> widths) { minimumWidths = std::move(widths); return *this; }
};

// A page's controls in creation order (parents before their children).
struct FormLayout {
    std::vector<ControlRow> controls;

    // The control called `name`; throws std::out_of_range when there is none.
    const ControlRow& operator[](std::string_view name) const;
};

// Row makers for the tables.
namespace layout {
ControlRow group(const char* name, const char* parent, Rect place, Caption title);
// A group without frame or title: a panel in front of other controls, holding its own.
ControlRow panel(const char* name, const char* parent, Rect place);
ControlRow label(const char* name, const char* parent, Rect place, Caption text = {});
ControlRow clickLabel(const char* name, const char* parent, Rect place, Caption text = {});
ControlRow check(const char* name, const char* parent, Rect place, Caption text);
ControlRow radio(const char* name, const char* parent, Rect place, Caption text);
ControlRow combo(const char* name, const char* parent, Rect place, std::vector<Caption> items, int selected);
ControlRow edit(const char* name, const char* parent, Rect place, const char* text = "");
ControlRow upDown(const char* name, const char* parent, Rect place, const char* edit, int minimum, int maximum,
                   int position, Caption upName, Caption downName);
ControlRow button(const char* name, const char* parent, Rect place, Caption text);
ControlRow listView(const char* name, const char* parent, Rect place, std::vector<Caption> headers,
                     std::vector<int> widths);
ControlRow picture(const char* name, const char* parent, Rect place);
ControlRow tabs(const char* name, const char* parent, Rect place, std::vector<Caption> captions);
}  // namespace layout

// One step of an up-down control over the text of its edit box, which takes any text: the step
// starts from the box's whole number (clamped to the range) when it holds one, otherwise from
// the last position. Returns the new position, within minimum..maximum.
int stepUpDown(std::string_view shown, int position, int minimum, int maximum, int delta);

// The main window's client area: the narrow width, the width with every list column shown,
// and the height.
constexpr int kClientWidth = 652;
constexpr int kWideClientWidth = 802;
constexpr int kClientHeight = 399;

// The tables. Each page's table lives in src/core/layout/.
const FormLayout& mainWindowLayout();   // the list, the tab control and its tabs
const FormLayout& gameInfoPageLayout();
const FormLayout& generalPageLayout();
const FormLayout& videoPageLayout();
const FormLayout& soundPageLayout();
const FormLayout& controlsPageLayout();
const FormLayout& aboutPageLayout();
const FormLayout& languagePanelLayout();

}  // namespace tavrix
