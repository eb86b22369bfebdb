#include "app/captions.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QTreeWidget>

namespace {
bool englishFlag = false;
}

bool Language::english() {
    return englishFlag;
}

void Language::setEnglish(bool english) {
    englishFlag = english;
}

QString tr2(const Tr& text) {
    return QString::fromUtf8(text.in(Language::english()));
}

void CaptionBook::custom(Tr caption, std::function<void(const QString&)> setter) {
    setter(QString::fromUtf8(caption.ko));
    entries_.push_back(Entry{caption, std::move(setter)});
}

void CaptionBook::text(QLabel* label, Tr caption) {
    custom(caption, [label](const QString& t) { label->setText(t); });
}

void CaptionBook::text(QAbstractButton* button, Tr caption) {
    custom(caption, [button](const QString& t) { button->setText(t); });
}

void CaptionBook::title(QGroupBox* group, Tr caption) {
    custom(caption, [group](const QString& t) { group->setTitle(t); });
}

void CaptionBook::items(QComboBox* combo, const std::vector<Tr>& items) {
    combo->clear();
    int index = 0;
    for (const Tr& item : items) {
        combo->addItem(QString::fromUtf8(item.ko));
        const int at = index++;
        entries_.push_back(Entry{item, [combo, at](const QString& t) { combo->setItemText(at, t); }});
    }
}

void CaptionBook::tab(QTabWidget* tabs, int index, Tr caption) {
    custom(caption, [tabs, index](const QString& t) { tabs->setTabText(index, t); });
}

void CaptionBook::header(QTreeWidget* list, int column, Tr caption) {
    custom(caption, [list, column](const QString& t) { list->headerItem()->setText(column, t); });
}

void CaptionBook::accessibleName(QWidget* widget, Tr name) {
    custom(name, [widget](const QString& t) { widget->setAccessibleName(t); });
}

void CaptionBook::applyEnglish() {
    for (const Entry& entry : entries_)
        if (entry.caption.hasEnglish()) entry.setter(QString::fromUtf8(entry.caption.en));
}
