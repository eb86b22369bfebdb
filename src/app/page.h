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
    TF1* form;
    CaptionBook book;
};
