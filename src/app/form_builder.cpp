#include "app/form_builder.h"

#include "app/clickable_label.h"
#include "app/up_down.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>

using tavrix::ControlKind;
using tavrix::ControlSpec;

namespace {

// A row named like the page stands for the page itself (a panel whose own children form its
// radio group): nothing is made for it, and it takes the row's place and first state.
bool isPage(const QWidget* page, const char* name) {
    return page->objectName() == QLatin1String(name);
}

QWidget* parentOf(QWidget* page, const ControlSpec& spec) {
    if (spec.parent == nullptr || isPage(page, spec.parent)) return page;
    auto* parent = page->findChild<QWidget*>(QString::fromLatin1(spec.parent));
    Q_ASSERT_X(parent != nullptr, "buildForm", spec.parent);
    return parent;
}

void styleText(QLabel* label, const ControlSpec& spec) {
    if (spec.font & tavrix::kCentred) label->setAlignment(Qt::AlignCenter);
    if (spec.font & tavrix::kNavy) label->setStyleSheet(QStringLiteral("color: navy;"));
}

void styleFont(QWidget* control, const ControlSpec& spec) {
    if ((spec.font & tavrix::kBold) != 0 || spec.pixelSize != 0) {
        QFont font = control->font();
        font.setBold((spec.font & tavrix::kBold) != 0);
        if (spec.pixelSize != 0) font.setPixelSize(spec.pixelSize);
        control->setFont(font);
    }
}

QWidget* create(QWidget* page, const ControlSpec& spec, CaptionBook& book) {
    QWidget* parent = parentOf(page, spec);
    switch (spec.kind) {
    case ControlKind::Group: {
        if (!spec.framed) {
            // A plain panel: it paints its background over whatever lies behind it.
            auto* panel = new QWidget(parent);
            panel->setAutoFillBackground(true);
            return panel;
        }
        auto* box = new QGroupBox(parent);
        book.title(box, spec.caption);
        return box;
    }
    case ControlKind::Label:
    case ControlKind::ClickLabel: {
        QLabel* label = spec.kind == ControlKind::Label ? new QLabel(parent) : new ClickableLabel(parent);
        styleText(label, spec);
        book.text(label, spec.caption);
        return label;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(parent);
        book.text(box, spec.caption);
        box->setChecked(spec.checked);
        return box;
    }
    case ControlKind::RadioButton: {
        auto* item = new QRadioButton(parent);
        book.text(item, spec.caption);
        const QString groupName = QString::fromLatin1(spec.parent) + QStringLiteral("Group");
        auto* group = page->findChild<QButtonGroup*>(groupName);
        if (group == nullptr) {
            group = new QButtonGroup(page);
            group->setObjectName(groupName);
        }
        group->addButton(item, static_cast<int>(group->buttons().size()));
        if (spec.checked) item->setChecked(true);
        return item;
    }
    case ControlKind::ComboBox: {
        auto* list = new QComboBox(parent);
        if (spec.liveItems)
            for (const tavrix::Caption& item : spec.items) list->addItem(tr2(item));
        else
            book.items(list, spec.items);
        list->setCurrentIndex(spec.selected);
        return list;
    }
    case ControlKind::Edit: {
        auto* box = new QLineEdit(parent);
        box->setText(QString::fromUtf8(spec.caption.ko));
        return box;
    }
    case ControlKind::UpDown: {
        auto* box = page->findChild<QLineEdit*>(QString::fromLatin1(spec.buddy));
        Q_ASSERT_X(box != nullptr, "buildForm", spec.buddy);
        auto* arrows = new UpDown(box, parent);
        arrows->setRange(spec.minimum, spec.maximum);
        arrows->setPosition(spec.position);
        book.accessibleName(arrows->upButton(), spec.accessibleName);
        book.accessibleName(arrows->downButton(), spec.downName);
        return arrows;
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(parent);
        book.text(button, spec.caption);
        return button;
    }
    case ControlKind::ListView: {
        auto* list = new QTreeWidget(parent);
        list->setColumnCount(static_cast<int>(spec.items.size()));
        for (int column = 0; column < static_cast<int>(spec.items.size()); ++column) {
            book.header(list, column, spec.items[column]);
            if (column < static_cast<int>(spec.widths.size())) list->setColumnWidth(column, spec.widths[column]);
        }
        return list;
    }
    case ControlKind::Picture:
        return new ClickableLabel(parent);
    case ControlKind::TabControl:
        break;  // the window makes its tab control itself: its pages are widgets of their own
    }
    return nullptr;
}

}  // namespace

void buildForm(QWidget* page, const tavrix::FormLayout& layout, CaptionBook& book) {
    for (const ControlSpec& spec : layout.controls) {
        QWidget* control = isPage(page, spec.name) ? page : create(page, spec, book);
        if (control == nullptr) continue;
        control->setObjectName(QString::fromLatin1(spec.name));
        control->setGeometry(spec.place.x, spec.place.y, spec.place.width, spec.place.height);
        styleFont(control, spec);
        control->setEnabled(spec.enabled);
        if (!spec.visible) control->hide();
        if (spec.kind != ControlKind::UpDown && !spec.accessibleName.empty())
            book.accessibleName(control, spec.accessibleName);
        if (!spec.tip.empty()) {
            // Several controls may share one tip; each registers its own.
            book.custom(spec.tip, [control](const QString& text) { control->setToolTip(text); });
        }
    }
    for (const ControlSpec& spec : layout.controls)
        if (spec.buddy != nullptr && spec.kind != ControlKind::UpDown)
            if (auto* label = page->findChild<QLabel*>(QString::fromLatin1(spec.name)))
                label->setBuddy(page->findChild<QWidget*>(QString::fromLatin1(spec.buddy)));
}
