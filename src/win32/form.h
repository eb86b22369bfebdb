#pragma once
// Builds a page's controls from its layout table with the system's common controls, and
// reads and sets their state by name. Group boxes are no parents on Windows: a control inside
// one is a child of the page, placed at the box's place plus its own, and enabling or hiding
// a box passes on to the controls inside it.
#include "core/form_layout.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace tavrix::win32 {

class FontSet;

class Form {
public:
    // Creates every control of `layout` in `page`, captioned in the given language, with
    // control ids firstId, firstId + 1, ... in table order.
    void build(HWND page, const FormLayout& layout, FontSet& fonts, bool english, int firstId);

    const FormLayout& layout() const { return *layout_; }
    // The fonts the controls are captioned in.
    FontSet& fonts() const { return *fonts_; }
    // The control called `name`; throws std::out_of_range when there is none.
    HWND operator[](std::string_view name) const;
    int id(std::string_view name) const;
    // The name of the control with this id, or nullptr.
    const char* nameOf(int id) const;
    // The page-relative place of a control (group-box offsets added).
    Rect placeOf(std::string_view name) const;

    // Every caption, combo entry, column header and tab in the given language; selections stay.
    void showCaptions(bool english);

    // A control's tool tip in the language shown, empty for none.
    std::string tip(std::string_view name) const;

    bool checked(std::string_view name) const;
    void setChecked(std::string_view name, bool checked);
    int selection(std::string_view name) const;
    // A combo box's entries afresh (UTF-8), with no selection.
    void setItems(std::string_view name, const std::vector<std::string>& items);
    void setVisible(std::string_view name, bool visible);
    void setSelection(std::string_view name, int index);
    std::string text(std::string_view name) const;  // UTF-8
    void setText(std::string_view name, std::string_view text);
    // A control's own enabled state; it is enabled on screen when every box around it is too.
    void setEnabled(std::string_view name, bool enabled);
    bool enabled(std::string_view name) const;

    // The radio items of a group box in table order, and the one checked (-1 for none).
    std::vector<HWND> radioItems(std::string_view group) const;
    int radioIndex(std::string_view group) const;
    void setRadioIndex(std::string_view group, int index);

private:
    std::size_t indexOf(std::string_view name) const;
    void applyEnabled();

    const FormLayout* layout_ = nullptr;
    std::vector<HWND> handles_;  // in table order
    // For each control with a name for screen readers, the zero-size label just before it in
    // the z-order, which the accessibility layer reads as its name; nullptr for the others.
    std::vector<HWND> spokenLabels_;
    std::vector<char> ownEnabled_;
    int firstId_ = 0;
    FontSet* fonts_ = nullptr;
    HWND tips_ = nullptr;
    bool built_ = false;  // the first captions are set  // the tool tips of the controls that have one
};

// UTF-8 <-> UTF-16 for captions and texts.
std::wstring wide(std::string_view text);
std::string narrow(std::wstring_view text);

}  // namespace tavrix::win32
