#include "app/page.h"

#include "app/clickable_label.h"
#include "app/form_builder.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using namespace tavrix;

Page::Page(PageHost& pageHost, int index, PageModel& model, const FormLayout& layout, const char* name,
           QWidget* parent)
    : QWidget(parent), host(pageHost), index_(index), model_(model), layout_(layout) {
    setObjectName(QString::fromLatin1(name));
    buildForm(this, layout, book);
    for (const ControlRow& row : layout.controls) {
        auto* widget = objectName() == QLatin1String(row.name) ? this : findChild<QWidget*>(QString::fromLatin1(row.name));
        if (widget == nullptr) continue;
        controls_.emplace(row.name, widget);
        connectControl(row, widget);
    }
}

void Page::connectControl(const ControlRow& row, QWidget* widget) {
    const char* name = row.name;
    switch (row.kind) {
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::Button:
        connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, this,
                [this, name] { report(name, ControlEvent::Click); });
        break;
    case ControlKind::ComboBox:
        // Only the user's picks: a selection the program makes runs no handler.
        connect(static_cast<QComboBox*>(widget), &QComboBox::activated, this,
                [this, name] { report(name, ControlEvent::Pick); });
        break;
    case ControlKind::Edit:
        connect(static_cast<QLineEdit*>(widget), &QLineEdit::textChanged, this,
                [this, name] { report(name, ControlEvent::Text); });
        break;
    case ControlKind::ClickLabel:
    case ControlKind::Picture: {
        auto* label = static_cast<ClickableLabel*>(widget);
        connect(label, &ClickableLabel::clicked, this, [this, name] { report(name, ControlEvent::Click); });
        connect(label, &ClickableLabel::doubleClicked, this, [this, name] { report(name, ControlEvent::DoubleClick); });
        break;
    }
    default: break;
    }
}

void Page::report(const char* name, ControlEvent event) {
    if (drawing_) return;
    takeControlState(model_, layout_[name], *this);
    host.command(index_, name, event);
}

bool Page::checked(std::string_view name) const { return static_cast<QAbstractButton*>(control(name))->isChecked(); }

int Page::radioIndex(std::string_view group) const {
    return findChild<QButtonGroup*>(QString::fromLatin1(group.data(), static_cast<int>(group.size())) + "Group")
        ->checkedId();
}

int Page::selection(std::string_view name) const { return static_cast<QComboBox*>(control(name))->currentIndex(); }

std::string Page::text(std::string_view name) const { return static_cast<QLineEdit*>(control(name))->text().toStdString(); }

void Page::drawModel() {
    const DrawingFlag drawing(drawing_);
    showModel();
    drawFields(model_, layout_, *this, host.english());
}

void Page::setChecked(std::string_view name, bool checked) { static_cast<QAbstractButton*>(control(name))->setChecked(checked); }

void Page::setRadioIndex(std::string_view group, int index) {
    auto* buttons =
        findChild<QButtonGroup*>(QString::fromLatin1(group.data(), static_cast<int>(group.size())) + "Group");
    if (QAbstractButton* item = buttons->button(index)) {
        item->setChecked(true);
    } else if (QAbstractButton* checked = buttons->checkedButton()) {
        // No item checked: an exclusive group would keep its checked one.
        buttons->setExclusive(false);
        checked->setChecked(false);
        buttons->setExclusive(true);
    }
}

void Page::setSelection(std::string_view name, int index) { static_cast<QComboBox*>(control(name))->setCurrentIndex(index); }

void Page::setText(std::string_view name, std::string_view text) {
    const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QWidget* widget = control(name);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        // Only a changed text: the cursor stays where the user types.
        if (edit->text() != shown) edit->setText(shown);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(shown);
    } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
        box->setTitle(shown);
    }
}

void Page::setEnabled(std::string_view name, bool enabled) { control(name)->setEnabled(enabled); }
