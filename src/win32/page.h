#pragma once
// Common ground of the window's pages and of the first-start panel: each is a child window
// over the tab control's display area holding the controls of its table. It ties its controls
// to its model's fields by their table names, hands the controls' notifications to the window
// (PageHost) by control name, steps up-down controls, reports handler errors, and draws its
// model when the window asks. It sees nothing else of the window.
#include "core/window_model.h"
#include "win32/form.h"

#include <windows.h>

namespace tavrix::win32 {

class FontSet;

class Page {
public:
    // `index` is the page's tab index (or kLanguagePanel).
    Page(PageHost& host, int index, PageModel& model, const FormLayout& layout)
        : host(host), index_(index), model_(model), layout_(layout) {}
    virtual ~Page();
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    void create(HWND parent, RECT place, FontSet& fonts, bool english, int firstId);
    HWND window() const { return window_; }
    Form& form() { return form_; }
    void showCaptions(bool english) { form_.showCaptions(english); }
    // The page's own drawing, then every control tied to a field, then the enabled states.
    // Notifications the drawing causes are ignored.
    void drawModel();

protected:
    // The page's own touches once its controls are built.
    virtual void created() {}
    // What the page draws beyond its fields and enabled states.
    virtual void showModel() {}
    // A message to the page's own window that the page answers itself (with `result`); true
    // when it did.
    virtual bool message(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) { return false; }
    // The page is drawing its model: the notifications of its controls are its own doing.
    bool drawing() const { return drawing_; }
    // The user acted on control `name`: its field takes the control's state, then the window
    // runs the handler.
    void report(const char* name, ControlEvent event);

    PageHost& host;
    Form form_;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void stepUpDown(const ControlRow& desc, int delta);

    int index_;
    PageModel& model_;
    const FormLayout& layout_;
    HWND window_ = nullptr;
    bool built_ = false;
    bool drawing_ = false;
};

}  // namespace tavrix::win32
