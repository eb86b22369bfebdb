#include "core/layout_rules.h"

#include "core/text.h"

#include <cmath>
#include <string>

namespace tavrix {

int scaled(int pixels, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(pixels) * dpi / kTableDpi));
}

int scaledTextHeight(int pixels, int dpi) {
    return pixels * dpi / kTableDpi;
}

Rect pagePlace(const FormLayout& layout, std::string_view name, int dpi) {
    Rect place = layout[name].place;
    for (const char* parent = layout[name].parent; parent != nullptr; parent = layout[parent].parent) {
        place.x += layout[parent].place.x;
        place.y += layout[parent].place.y;
    }
    const int left = scaled(place.x, dpi), top = scaled(place.y, dpi);
    return {left, top, scaled(place.x + place.width, dpi) - left, scaled(place.y + place.height, dpi) - top};
}

bool overlap(const Rect& a, const Rect& b) {
    return a.width > 0 && a.height > 0 && b.width > 0 && b.height > 0 && a.x < b.x + b.width && b.x < a.x + a.width &&
           a.y < b.y + b.height && b.y < a.y + a.height;
}

std::string spokenName(const FormLayout& layout, const ControlRow& control, bool english) {
    if (!control.accessibleName.empty() && control.kind != ControlKind::UpDown)
        return trim(control.accessibleName.in(english));
    if (control.kind == ControlKind::UpDown) return spokenName(layout, layout[control.buddy], english);
    for (const ControlRow& label : layout.controls)
        if ((label.kind == ControlKind::Label || label.kind == ControlKind::ClickLabel) && label.buddy != nullptr &&
            std::string_view(label.buddy) == control.name)
            return trim(label.caption.in(english));
    switch (control.kind) {
    case ControlKind::Edit:
    case ControlKind::ComboBox:
    case ControlKind::ListView:
    case ControlKind::TabControl:
    case ControlKind::Picture: return {};  // their own texts are contents, not names
    default: return trim(control.caption.in(english));
    }
}

namespace {

std::vector<std::string> lines(const char* text) {
    std::vector<std::string> made;
    std::string_view rest = text;
    while (true) {
        const std::size_t end = rest.find('\n');
        made.emplace_back(rest.substr(0, end));
        if (end == std::string_view::npos) return made;
        rest.remove_prefix(end + 1);
    }
}

}  // namespace

std::vector<CaptionRoom> captionRooms(const FormLayout& layout, bool english, int dpi, const CaptionFurniture& furniture) {
    std::vector<CaptionRoom> rooms;
    for (const ControlRow& control : layout.controls) {
        const Rect place = pagePlace(layout, control.name, dpi);
        const char* caption = control.caption.in(english);
        const bool captioned = *caption != '\0';
        auto room = [&](std::vector<std::string> texts, int width, int height) {
            rooms.push_back({control.name, std::move(texts), false, width, height});
        };
        switch (control.kind) {
        case ControlKind::Group:
            if (control.framed && captioned) room({caption}, place.width - furniture.groupTitle, 0);
            break;
        case ControlKind::Label:
        case ControlKind::ClickLabel:
            if (captioned) room(lines(caption), place.width, place.height);
            break;
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            if (captioned) room({caption}, place.width - furniture.box, place.height);
            break;
        case ControlKind::Button:
            if (captioned) room({caption}, place.width - furniture.buttonWidth, place.height - furniture.buttonHeight);
            break;
        case ControlKind::ComboBox:
            for (const Caption& item : control.items)
                room({item.in(english)}, place.width - furniture.listWidth, place.height - furniture.listHeight);
            break;
        case ControlKind::ListView:
            for (std::size_t column = 0; column < control.items.size() && column < control.widths.size(); ++column)
                room({control.items[column].in(english)}, scaled(control.widths[column], dpi) - furniture.header, 0);
            break;
        case ControlKind::TabControl: {
            CaptionRoom tabs{control.name, {}, true, place.width - furniture.tabRow, 0};
            for (const Caption& tab : control.items) {
                tabs.texts.emplace_back(tab.in(english));
                tabs.width -= furniture.tab;
            }
            rooms.push_back(std::move(tabs));
            break;
        }
        case ControlKind::Edit:
        case ControlKind::UpDown:
        case ControlKind::Picture: break;
        }
    }
    return rooms;
}

std::string misfit(const CaptionRoom& room, const std::function<TextExtent(const std::string&)>& measure) {
    std::string found;
    auto note = [&](const std::string& what, int needed, int has) {
        found += (found.empty() ? "" : "; ") + what + " " + std::to_string(needed) + " in " + std::to_string(has);
    };
    int width = 0, height = 0;
    for (const std::string& text : room.texts) {
        const TextExtent extent = measure(text);
        if (!room.sideBySide && extent.width > room.width) note("\"" + text + "\" wide", extent.width, room.width);
        width += extent.width;
        height += extent.height;
    }
    if (room.sideBySide && width > room.width) note("the texts side by side wide", width, room.width);
    if (!room.sideBySide && room.height > 0 && height > room.height) note("the lines high", height, room.height);
    return found;
}

}  // namespace tavrix
