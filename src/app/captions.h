#pragma once
// The two caption sets of the interface. The built-in set is Korean; the English set is put
// over it at start-up when the settings ask for English. Each page registers its controls with
// a CaptionBook as it creates them, so both languages of a control stand side by side.
#include <QString>

#include <functional>
#include <initializer_list>
#include <vector>

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTreeWidget;
class QWidget;

#include "core/form_layout.h"

// One text in both languages, UTF-8 (see tavrix::Caption).
using Tr = tavrix::Caption;

// The process-wide English flag: set once by the start-up sequence from the settings file.
class Language {
public:
    static bool english();
    static void setEnglish(bool english);
};

// A run-time text in the language in force.
QString tr2(const Tr& text);

class CaptionBook {
public:
    void text(QLabel* label, Tr caption);
    void text(QAbstractButton* button, Tr caption);
    void title(QGroupBox* group, Tr caption);
    void items(QComboBox* combo, const std::vector<Tr>& items);
    void tab(QTabWidget* tabs, int index, Tr caption);
    void header(QTreeWidget* list, int column, Tr caption);
    // The name a screen reader speaks for a control that shows no caption of its own.
    void accessibleName(QWidget* widget, Tr name);
    // Anything else: the setter is called with the chosen text now and again for English.
    void custom(Tr caption, std::function<void(const QString&)> setter);

    // Puts the English set over the built-in one.
    void applyEnglish();

private:
    struct Entry {
        Tr caption;
        std::function<void(const QString&)> setter;
    };
    std::vector<Entry> entries_;
};
