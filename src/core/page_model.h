#pragma once
// What every page model shows its front end: the controls tied to its fields and the controls
// whose enabled state its rules decide. A front end draws a page from these; when the user
// changes a control tied to a field, it puts the control's new state into the field before
// the page's handler runs (see WindowModel::command).
#include "core/form_layout.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrix {

// The pages in the order of their tabs, and the first-start language panel over them.
inline constexpr int kGameInfoPage = 0;
inline constexpr int kGeneralPage = 1;
inline constexpr int kVideoPage = 2;
inline constexpr int kSoundPage = 3;
inline constexpr int kControlsPage = 4;
inline constexpr int kAboutPage = 5;
inline constexpr int kPageCount = 6;
inline constexpr int kLanguagePanel = 6;

// What a user did to a control.
enum class ControlEvent {
    Click,        // a button, check box or radio item, or a text, picture or box that reports clicks
    Pick,         // an entry picked in a drop-down list
    Text,         // an edit box's text changed
    DoubleClick,  // a text that reports double clicks
};

// A control tied to one field: a check box (or a radio item on its own) to a bool, a
// drop-down list or a radio group box to its selection (-1 none), an edit box or a label to
// its text (UTF-8). A caption is only shown, in the language in force.
struct ControlField {
    const char* control;
    bool* checked = nullptr;
    int* selection = nullptr;
    std::string* text = nullptr;
    const Caption* caption = nullptr;
};
using ControlFields = std::vector<ControlField>;
// Controls with their enabled (or other) state.
using ControlStates = std::vector<std::pair<const char*, bool>>;

class PageModel {
public:
    // The controls tied to fields of this model.
    virtual ControlFields fields() { return {}; }
    // Every control whose enabled state the page's rules decide, with that state.
    virtual ControlStates enabledControls() const { return {}; }

protected:
    PageModel() = default;
    PageModel(const PageModel&) = default;
    PageModel& operator=(const PageModel&) = default;
    ~PageModel() = default;
};

// A front end's controls, by table name: read as the user left them, and drawn from a model.
class PageControls {
public:
    virtual bool checked(std::string_view control) const = 0;
    virtual int radioIndex(std::string_view group) const = 0;  // the checked item of a radio box
    virtual int selection(std::string_view control) const = 0;  // a drop-down list's, -1 none
    virtual std::string text(std::string_view control) const = 0;  // UTF-8

    virtual void setChecked(std::string_view control, bool checked) = 0;
    virtual void setRadioIndex(std::string_view group, int index) = 0;  // -1: no item checked
    virtual void setSelection(std::string_view control, int index) = 0;
    // An edit box's text (left as it is when unchanged), a label's or a group box's caption.
    virtual void setText(std::string_view control, std::string_view text) = 0;
    virtual void setEnabled(std::string_view control, bool enabled) = 0;

protected:
    ~PageControls() = default;
};

// The user acted on the control of `row`: the model's fields tied to it take its new state.
// Only what the user changes counts: a text shown in a label is the model's alone, and a radio
// item speaks for its box.
void takeControlState(PageModel& model, const ControlRow& row, const PageControls& controls);

// Sets a flag for its own life: a page is drawing its model, and what its controls report
// meanwhile is its own doing.
class DrawingFlag {
public:
    explicit DrawingFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~DrawingFlag() { flag_ = false; }
    DrawingFlag(const DrawingFlag&) = delete;
    DrawingFlag& operator=(const DrawingFlag&) = delete;

private:
    bool& flag_;
};

// Every control tied to a field shows the field (a caption in the language in force), then
// every control whose enabled state the model decides takes it.
void drawFields(PageModel& model, const FormLayout& layout, PageControls& controls, bool english);

}  // namespace tavrix
