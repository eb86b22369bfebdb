#pragma once
// What every front end reads alike from a layout table beyond its rows: a control's place at a
// display scale, the name a screen reader speaks for it, and the room its captions have, so that
// one rule decides in both windows whether a caption shows whole.
#include "core/form_layout.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrix {

// The tables' pixels are pixels of a display at this many dots per inch.
constexpr int kTableDpi = 96;

// A length of the tables at `dpi`, rounded to the nearest pixel.
int scaled(int pixels, int dpi);
// The pixel height of a text of the tables' `pixels` at `dpi`: whole pixels, never above the
// scaled size, so that a text never outgrows the scaled place made for it.
int scaledTextHeight(int pixels, int dpi);
// The place of control `name` in its page (the offsets of the group boxes around it added), at
// `dpi`. Its edges are scaled, so controls that touch in the table still only touch.
Rect pagePlace(const FormLayout& layout, std::string_view name, int dpi = kTableDpi);
bool overlap(const Rect& a, const Rect& b);

// The name a screen reader speaks for a control, in a language: the name the table gives it;
// else, for an up-down, the name of its edit box; else the caption of the label that names it;
// else its own caption. Blanks around it are dropped. Empty when it has none of these.
std::string spokenName(const FormLayout& layout, const ControlRow& control, bool english);

// What a front end draws beside a caption inside its control, in pixels at the scale in
// question; each is taken off the control's room.
struct CaptionFurniture {
    int box = 0;           // check box, radio button: the box and the gap before the text
    int buttonWidth = 0;   // push button: its frame and padding, both sides together
    int buttonHeight = 0;  // push button: its frame, above and below together
    int listWidth = 0;     // drop-down list: its frame, the arrow and the text's margins
    int listHeight = 0;    // drop-down list: its frame above and below the text
    int groupTitle = 0;    // group box: the title's inset from both ends together
    int tab = 0;           // one page tab: its padding beside the text, both sides together
    int tabRow = 0;        // the row of tabs: what the tab control keeps free beside it
    int header = 0;        // list column header: its padding, both sides together
};

// One room of a control and the texts that must show whole in it.
struct CaptionRoom {
    std::string control;             // the control's name
    std::vector<std::string> texts;  // one line each
    // The texts share the width, side by side (the page tabs); otherwise each text has the whole
    // width and the texts are lines stacked in the height.
    bool sideBySide = false;
    int width = 0;
    int height = 0;  // 0: the control takes the height its text needs
};

// The rooms of every captioned control of `layout` in a language, at `dpi`. Texts that a page
// writes at run time are not in the table and have no room here.
std::vector<CaptionRoom> captionRooms(const FormLayout& layout, bool english, int dpi, const CaptionFurniture& furniture);

struct TextExtent {
    int width = 0;
    int height = 0;
};

// What does not show whole in `room`, with each text measured by `measure` in the control's
// font (for example: "\"Auto framerate:\" 98 wide in 94"); empty when everything fits.
std::string misfit(const CaptionRoom& room, const std::function<TextExtent(const std::string&)>& measure);

}  // namespace tavrix
