#pragma once
// Builds a page's controls from its layout table with the system's common controls, and
// reads and sets their state by name. Group boxes are no parents on Windows: a control inside
// one is a child of the page, placed at the box's place plus its own, and enabling or hiding
// a box passes on to the controls inside it. Places, sizes and fonts follow the display scale
// of the font set; each control is named for screen readers in the language shown.
#include "core/form_layout.h"
#include "core/page_model.h"

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrix::win32 {

class FontSet;

class Form : public PageControls {
public:
    Form() = default;
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates every control of `layout` in `page`, captioned in the given language, with
    // control ids firstId, firstId + 1, ... in table order, at the font set's scale.
    void build(HWND page, const FormLayout& layout, FontSet& fonts, bool english, int firstId);
    // Before build: the control called `name` is made with these window styles besides its
    // kind's (a list whose rows its owner supplies).
    void addStyle(std::string_view name, DWORD style) { extraStyles_.emplace_back(name, style); }
    // Locked, every control takes no input and is drawn disabled; unlocked, each has its own
    // enabled state again.
    void lock(bool locked);
    // Places every control again, in its fonts, at the font set's scale of now; then runs what
    // was asked to run after a new scale.
    void rescale();
    // `repaint` runs after each rescale (pictures painted for a size).
    void whenRescaled(std::function<void()> repaint) { rescaled_.push_back(std::move(repaint)); }
    // A length of the tables in pixels at the scale of the controls.
    int scaled(int pixels) const;

    const FormLayout& layout() const { return *layout_; }
    // The fonts the controls are captioned in.
    FontSet& fonts() const { return *fonts_; }
    // The control called `name`; throws std::out_of_range when there is none.
    HWND operator[](std::string_view name) const;
    // The control called `name`, or nullptr when there is none.
    HWND find(std::string_view name) const;
    int id(std::string_view name) const;
    // The name of the control with this id, or nullptr.
    const char* nameOf(int id) const;
    // The name of this control, or of the control it is part of, or nullptr.
    const char* nameOf(HWND control) const;
    // The page-relative place of a control (group-box offsets added), in pixels at the scale
    // of the controls.
    Rect placeOf(std::string_view name) const;

    // Every caption, combo entry, column header, tab and spoken name in the given language;
    // selections stay.
    void showCaptions(bool english);

    // A control's tool tip in the language shown, empty for none.
    std::string tip(std::string_view name) const;

    bool checked(std::string_view name) const override;
    void setChecked(std::string_view name, bool checked) override;
    int selection(std::string_view name) const override;
    // A combo box's entries afresh (UTF-8), with no selection.
    void setItems(std::string_view name, const std::vector<std::string>& items);
    void setVisible(std::string_view name, bool visible);
    void setSelection(std::string_view name, int index) override;
    std::string text(std::string_view name) const override;  // UTF-8
    // A control's text; a control that is named by its text is named by the new one.
    void setText(std::string_view name, std::string_view text) override;
    // A control's own enabled state; it is enabled on screen when every box around it is too.
    void setEnabled(std::string_view name, bool enabled) override;
    bool enabled(std::string_view name) const;

    // The radio items of a group box in table order, and the one checked (-1 for none).
    std::vector<HWND> radioItems(std::string_view group) const;
    int radioIndex(std::string_view group) const override;
    void setRadioIndex(std::string_view group, int index) override;

private:
    std::size_t indexOf(std::string_view name) const;
    void applyEnabled();
    // The radio items of each box are one tab stop: the checked item, or the first while none is.
    void markRadioTabStops();
    // Places control `index` at the scale, then applyFont.
    void place(std::size_t index);
    // Sets control `index`'s font in the language and its furniture (field height, padding) at
    // the scale.
    void applyFont(std::size_t index);
    HFONT fontFor(std::size_t index) const;
    // Tells screen readers the control's name (and role) in the language shown.
    void annotate(std::size_t index);
    // A text that takes the focus shows it; a list keeps its columns in order and as wide as
    // the table's minimums.
    static LRESULT CALLBACK focusableText(HWND text, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR);
    static LRESULT CALLBACK listColumns(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR row);

    const FormLayout* layout_ = nullptr;
    std::vector<HWND> handles_;  // in table order
    // Whether a control is named by its own text (not by the table or a label).
    std::vector<char> namedByText_;
    std::vector<char> ownEnabled_;
    std::vector<std::function<void()>> rescaled_;
    int firstId_ = 0;
    int dpi_ = 96;  // the scale the controls are placed at
    FontSet* fonts_ = nullptr;
    HWND tips_ = nullptr;  // the tool tips of the controls that have one
    bool built_ = false;   // the first captions are set
    bool english_ = false;
    bool locked_ = false;
    std::vector<std::pair<std::string_view, DWORD>> extraStyles_;
};

// UTF-8 <-> UTF-16 for captions and texts.
std::wstring wide(std::string_view text);
std::string narrow(std::wstring_view text);

}  // namespace tavrix::win32
