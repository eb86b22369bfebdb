#pragma once
// Common ground of the window's pages and of the first-start panel: each is built from its
// layout table, ties its controls to its model's fields by their table names, hands the user's
// actions on its controls to the window (PageHost) and draws its model when the window asks.
// A page sees nothing else of the window, and its widgets are its own: tests find them by name.
#include "app/captions.h"
#include "core/window_model.h"

#include <QWidget>

#include <string_view>
#include <unordered_map>

class Page : public QWidget, private tavrix::PageControls {
    Q_OBJECT
public:
    // `index` is the page's tab index (or tavrix::kLanguagePanel); `name` its object name.
    Page(tavrix::PageHost& host, int index, tavrix::PageModel& model, const tavrix::FormLayout& layout,
         const char* name, QWidget* parent = nullptr);

    using QWidget::setEnabled;  // the page's own; a control's goes through drawModel

    // Start-up step 4: the English caption set over the built-in one.
    void applyEnglishCaptions() { book.applyEnglish(); }
    // The page's own drawing, then every control tied to a field, then the enabled states.
    void drawModel();

protected:
    // What the page draws beyond its fields and enabled states.
    virtual void showModel() {}
    // The user acted on control `name`: its field takes the control's state, then the window
    // runs the handler. Nothing while the page draws itself.
    void report(const char* name, tavrix::ControlEvent event);
    QWidget* control(std::string_view name) const { return controls_.at(name); }

    tavrix::PageHost& host;
    CaptionBook book;

private:
    void connectControl(const tavrix::ControlRow& row, QWidget* widget);
    bool checked(std::string_view name) const override;
    int radioIndex(std::string_view group) const override;
    int selection(std::string_view name) const override;
    std::string text(std::string_view name) const override;
    void setChecked(std::string_view name, bool checked) override;
    void setRadioIndex(std::string_view group, int index) override;
    void setSelection(std::string_view name, int index) override;
    void setText(std::string_view name, std::string_view text) override;
    void setEnabled(std::string_view name, bool enabled) override;

    int index_;
    tavrix::PageModel& model_;
    const tavrix::FormLayout& layout_;
    std::unordered_map<std::string_view, QWidget*> controls_;
    bool drawing_ = false;
};
