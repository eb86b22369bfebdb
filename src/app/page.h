#pragma once
// Common ground of the window's pages: each page is the tab sheet itself, knows the main
// window, and keeps its two caption sets in a CaptionBook.
#include "app/captions.h"

#include <QWidget>

class TF1;

class Page : public QWidget {
    Q_OBJECT
public:
    Page(TF1* form, const char* objectName);

    // Start-up step 4: the English caption set over the built-in one.
    virtual void applyEnglishCaptions();

protected:
    // Sets every control from the page's model, with the controls' signals blocked.
    virtual void showModel() {}

    // Runs one of the model's operations, then shows the model; also when the operation throws
    // part-way, so what it changed before the error stays visible.
    template <typename Operation>
    void update(Operation&& operation) {
        struct ShowAfterwards {
            Page* page;
            ~ShowAfterwards() { page->showModel(); }
        } show{this};
        operation();
    }

    TF1* form;
    CaptionBook book;
};
