#pragma once
// Common ground of the window's pages: each page is a child window over the tab control's
// display area holding the controls of its table. It hands the controls' notifications to the
// page by control name, steps up-down controls, reports handler errors, and after each model
// operation draws the model again.
#include "core/launch_command.h"
#include "win32/form.h"

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace tavrix::win32 {

class FontSet;

// What a page asks of the window around it.
class PageHost {
public:
    virtual ~PageHost() = default;
    // Brings the page with this tab index to the front.
    virtual void showPage(int index) = 0;
};

class Page {
public:
    // `layout` may be null for a page whose controls are not in a table yet: it stays empty.
    Page(PageHost& host, const FormLayout* layout) : host(host), layout_(layout) {}
    virtual ~Page();
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    void create(HWND parent, RECT place, FontSet& fonts, bool english, int firstId);
    HWND window() const { return window_; }
    Form& form() { return form_; }
    virtual void showCaptions(bool english);
    bool english() const { return english_; }
    // The game list's selection moved to this game (the Game Info page shows it).
    virtual void gameSelected(int /*number*/) {}
    // The game list became empty through its filter.
    virtual void clearForEmptyList() {}
    // The page's tab became the current one, or stopped being it.
    virtual void shownAsCurrent(bool /*current*/) {}
    // What a launch reads from this page's controls as they stand, saved or not.
    virtual void addLaunchInputs(LaunchInputs& /*inputs*/) const {}

protected:
    // The page's own touches once its controls are built.
    virtual void created() {}
    // A control's WM_COMMAND notification (BN_CLICKED, CBN_SELCHANGE, EN_CHANGE, STN_DBLCLK ...).
    virtual void command(const char* /*name*/, int /*code*/) {}
    // A control's WM_NOTIFY; returns true when handled, with the result to give back.
    virtual bool notify(const char* /*name*/, NMHDR* /*header*/, LRESULT& /*result*/) { return false; }
    // Sets every control from the page's model. Notifications the settings cause are ignored.
    virtual void showModel() {}

    // Runs one of the model's operations, then shows the model; also when the operation throws
    // part-way, so what it changed before the error stays visible.
    template <typename Operation>
    void update(Operation&& operation) {
        struct ShowAfterwards {
            Page* page;
            ~ShowAfterwards() { page->drawModel(); }
        } show{this};
        operation();
    }
    void drawModel();

    // Ties a control to a model field: the user's changes go into the field before command()
    // runs, and every drawing of the model shows the field. A check box takes a bool, a combo
    // box its selection, a group box the index of its checked radio item, an edit box its text.
    void bind(const char* name, bool& checked) { bindings_.push_back({name, &checked, nullptr, nullptr}); }
    void bind(const char* name, int& selection) { bindings_.push_back({name, nullptr, &selection, nullptr}); }
    void bind(const char* name, std::string& text) { bindings_.push_back({name, nullptr, nullptr, &text}); }
    // Enables or disables each named control.
    void enable(std::initializer_list<const char*> names, bool enabled);

    PageHost& host;
    Form form_;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void stepUpDown(const ControlRow& desc, int delta);

    struct Binding {
        std::string name;
        bool* checked;
        int* selection;
        std::string* text;
    };
    // Puts a control's new state into its bound field, if it has one.
    void takeBound(const char* name, int code);
    void drawBindings();

    std::vector<Binding> bindings_;
    const FormLayout* layout_;
    HWND window_ = nullptr;
    bool drawing_ = false;
    bool english_ = false;
};

}  // namespace tavrix::win32
