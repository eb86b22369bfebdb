#include "core/form_layout.h"

#include "core/text.h"

#include <algorithm>

#include <stdexcept>
#include <string>
#include <utility>

namespace tavrix {

const ControlSpec& FormLayout::operator[](std::string_view name) const {
    for (const ControlSpec& control : controls)
        if (name == control.name) return control;
    throw std::out_of_range("no control " + std::string(name));
}

int stepUpDown(std::string_view shown, int position, int minimum, int maximum, int delta) {
    // A decimal number with an optional sign and blanks around it, within 32 bits.
    const std::string_view text = trimView(shown);
    std::size_t at = text.empty() || (text[0] != '+' && text[0] != '-') ? 0 : 1;
    bool isNumber = at < text.size();
    long long value = 0;
    for (; at < text.size() && isNumber; ++at) {
        isNumber = text[at] >= '0' && text[at] <= '9' && value <= 0x80000000LL;
        value = value * 10 + (text[at] - '0');
    }
    if (!text.empty() && text[0] == '-') value = -value;
    isNumber = isNumber && value >= -0x80000000LL && value <= 0x7fffffffLL;
    const long long from = isNumber ? std::clamp<long long>(value, minimum, maximum) : position;
    return static_cast<int>(std::clamp<long long>(from + delta, minimum, maximum));
}

namespace layout {

namespace {
ControlSpec row(ControlKind kind, const char* name, const char* parent, Rect place, Caption caption) {
    ControlSpec spec;
    spec.kind = kind;
    spec.name = name;
    spec.parent = parent;
    spec.place = place;
    spec.caption = caption;
    return spec;
}
}  // namespace

ControlSpec group(const char* name, const char* parent, Rect place, Caption title) {
    return row(ControlKind::Group, name, parent, place, title);
}

ControlSpec panel(const char* name, const char* parent, Rect place) {
    ControlSpec spec = row(ControlKind::Group, name, parent, place, {});
    spec.framed = false;
    return spec;
}

ControlSpec label(const char* name, const char* parent, Rect place, Caption text) {
    return row(ControlKind::Label, name, parent, place, text);
}

ControlSpec clickLabel(const char* name, const char* parent, Rect place, Caption text) {
    return row(ControlKind::ClickLabel, name, parent, place, text);
}

ControlSpec check(const char* name, const char* parent, Rect place, Caption text) {
    return row(ControlKind::CheckBox, name, parent, place, text);
}

ControlSpec radio(const char* name, const char* parent, Rect place, Caption text) {
    return row(ControlKind::RadioButton, name, parent, place, text);
}

ControlSpec combo(const char* name, const char* parent, Rect place, std::vector<Caption> items, int selected) {
    ControlSpec spec = row(ControlKind::ComboBox, name, parent, place, {});
    spec.items = std::move(items);
    spec.selected = selected;
    return spec;
}

ControlSpec edit(const char* name, const char* parent, Rect place, const char* text) {
    return row(ControlKind::Edit, name, parent, place, {text, ""});
}

ControlSpec upDown(const char* name, const char* parent, Rect place, const char* edit, int minimum, int maximum,
                   int position, Caption upName, Caption downName) {
    ControlSpec spec = row(ControlKind::UpDown, name, parent, place, {});
    spec.buddy = edit;
    spec.minimum = minimum;
    spec.maximum = maximum;
    spec.position = position;
    spec.accessibleName = upName;
    spec.downName = downName;
    return spec;
}

ControlSpec button(const char* name, const char* parent, Rect place, Caption text) {
    return row(ControlKind::Button, name, parent, place, text);
}

ControlSpec listView(const char* name, const char* parent, Rect place, std::vector<Caption> headers,
                     std::vector<int> widths) {
    ControlSpec spec = row(ControlKind::ListView, name, parent, place, {});
    spec.items = std::move(headers);
    spec.widths = std::move(widths);
    return spec;
}

ControlSpec picture(const char* name, const char* parent, Rect place) {
    return row(ControlKind::Picture, name, parent, place, {});
}

ControlSpec tabs(const char* name, const char* parent, Rect place, std::vector<Caption> captions) {
    ControlSpec spec = row(ControlKind::TabControl, name, parent, place, {});
    spec.items = std::move(captions);
    return spec;
}

}  // namespace layout
}  // namespace tavrix
