#include "core/form_layout.h"

#include "core/text.h"

#include <algorithm>

#include <stdexcept>
#include <string>
#include <utility>

namespace tavrix {

const ControlRow& FormLayout::operator[](std::string_view name) const {
    for (const ControlRow& control : controls)
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
ControlRow row(ControlKind kind, const char* name, const char* parent, Rect place, Caption caption) {
    ControlRow desc;
    desc.kind = kind;
    desc.name = name;
    desc.parent = parent;
    desc.place = place;
    desc.caption = caption;
    return desc;
}
}  // namespace

ControlRow group(const char* name, const char* parent, Rect place, Caption title) {
    return row(ControlKind::Group, name, parent, place, title);
}

ControlRow panel(const char* name, const char* parent, Rect place) {
    ControlRow desc = row(ControlKind::Group, name, parent, place, {});
    desc.framed = false;
    return desc;
}

ControlRow label(const char* name, const char* parent, Rect place, Caption text) {
    return row(ControlKind::Label, name, parent, place, text);
}

ControlRow clickLabel(const char* name, const char* parent, Rect place, Caption text) {
    return row(ControlKind::ClickLabel, name, parent, place, text);
}

ControlRow check(const char* name, const char* parent, Rect place, Caption text) {
    return row(ControlKind::CheckBox, name, parent, place, text);
}

ControlRow radio(const char* name, const char* parent, Rect place, Caption text) {
    return row(ControlKind::RadioButton, name, parent, place, text);
}

ControlRow combo(const char* name, const char* parent, Rect place, std::vector<Caption> items, int selected) {
    ControlRow desc = row(ControlKind::ComboBox, name, parent, place, {});
    desc.items = std::move(items);
    desc.selected = selected;
    return desc;
}

ControlRow edit(const char* name, const char* parent, Rect place, const char* text) {
    return row(ControlKind::Edit, name, parent, place, {text, ""});
}

ControlRow upDown(const char* name, const char* parent, Rect place, const char* edit, int minimum, int maximum,
                   int position, Caption upName, Caption downName) {
    ControlRow desc = row(ControlKind::UpDown, name, parent, place, {});
    desc.buddy = edit;
    desc.minimum = minimum;
    desc.maximum = maximum;
    desc.position = position;
    desc.accessibleName = upName;
    desc.downName = downName;
    return desc;
}

ControlRow button(const char* name, const char* parent, Rect place, Caption text) {
    return row(ControlKind::Button, name, parent, place, text);
}

ControlRow listView(const char* name, const char* parent, Rect place, std::vector<Caption> headers,
                     std::vector<int> widths) {
    ControlRow desc = row(ControlKind::ListView, name, parent, place, {});
    desc.items = std::move(headers);
    desc.widths = std::move(widths);
    return desc;
}

ControlRow picture(const char* name, const char* parent, Rect place) {
    return row(ControlKind::Picture, name, parent, place, {});
}

ControlRow tabs(const char* name, const char* parent, Rect place, std::vector<Caption> captions) {
    ControlRow desc = row(ControlKind::TabControl, name, parent, place, {});
    desc.items = std::move(captions);
    return desc;
}

}  // namespace layout
}  // namespace tavrix
