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
using tavrix::ControlRow;

namespace {

// A row named like the page stands for the page itself (a panel whose own children form its
// radio group): nothing is made for it, and it takes the row's place and first state.
bool isPage(const QWidget* page, const char* name) {
    return page->objectName() == QLatin1String(name);
}

QWidget* parentOf(QWidget* page, const ControlRow& desc) {
    if (desc.parent == nullptr || isPage(page, desc.parent)) return page;
    auto* parent = page->findChild<QWidget*>(QString::fromLatin1(desc.parent));
    Q_ASSERT_X(parent != nullptr, "buildForm", desc.parent);
    return parent;
}

void styleText(QLabel* label, const ControlRow& desc) {
    if (desc.font & tavrix::kCentred) label->setAlignment(Qt::AlignCenter);
    if (desc.font & tavrix::kNavy) label->setStyleSheet(QStringLiteral("color: navy;"));
}

void styleFont(QWidget* control, const ControlRow& desc) {
    if ((desc.font & tavrix::kBold) != 0 || desc.pixelSize != 0) {
        QFont font = control->font();
        font.setBold((desc.font & tavrix::kBold) != 0);
        if (desc.pixelSize != 0) font.setPixelSize(desc.pixelSize);
        control->setFont(font);
    }
}

QWidget* create(QWidget* page, const ControlRow& desc, CaptionBook& book) {
    QWidget* parent = parentOf(page, desc);
    switch (desc.kind) {
    case ControlKind::Group: {
        if (!desc.framed) {
            // A plain panel: it paints its background over whatever lies behind it.
            auto* panel = new QWidget(parent);
            panel->setAutoFillBackground(true);
            return panel;
        }
        auto* box = new QGroupBox(parent);
        book.title(box, desc.caption);
        return box;
    }
    case ControlKind::Label:
    case ControlKind::ClickLabel: {
        QLabel* label = desc.kind == ControlKind::Label ? new QLabel(parent) : new ClickableLabel(parent);
        // A text that runs its action by Enter or Space is a tab stop (a click does not focus it).
        if (desc.byKeys) label->setFocusPolicy(Qt::TabFocus);
        styleText(label, desc);
        book.text(label, desc.caption);
        return label;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(parent);
        book.text(box, desc.caption);
        box->setChecked(desc.checked);
        return box;
    }
    case ControlKind::RadioButton: {
        auto* item = new QRadioButton(parent);
        book.text(item, desc.caption);
        const QString groupName = QString::fromLatin1(desc.parent) + QStringLiteral("Group");
        auto* group = page->findChild<QButtonGroup*>(groupName);
        if (group == nullptr) {
            group = new QButtonGroup(page);
            group->setObjectName(groupName);
        }
        group->addButton(item, static_cast<int>(group->buttons().size()));
        if (desc.checked) item->setChecked(true);
        return item;
    }
    case ControlKind::ComboBox: {
        auto* list = new QComboBox(parent);
        if (desc.liveItems)
            for (const tavrix::Caption& item : desc.items) list->addItem(tr2(item));
        else
            book.items(list, desc.items);
        list->setCurrentIndex(desc.selected);
        return list;
    }
    case ControlKind::Edit: {
        auto* box = new QLineEdit(parent);
        box->setText(QString::fromUtf8(desc.caption.ko));
        return box;
    }
    case ControlKind::UpDown: {
        auto* box = page->findChild<QLineEdit*>(QString::fromLatin1(desc.buddy));
        Q_ASSERT_X(box != nullptr, "buildForm", desc.buddy);
        auto* arrows = new UpDown(box, parent);
        arrows->setRange(desc.minimum, desc.maximum);
        arrows->setPosition(desc.position);
        book.accessibleName(arrows->upButton(), desc.accessibleName);
        book.accessibleName(arrows->downButton(), desc.downName);
        return arrows;
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(parent);
        book.text(button, desc.caption);
        return button;
    }
    case ControlKind::ListView: {
        auto* list = new QTreeWidget(parent);
        list->setColumnCount(static_cast<int>(desc.items.size()));
        for (int column = 0; column < static_cast<int>(desc.items.size()); ++column) {
            book.header(list, column, desc.items[column]);
            if (column < static_cast<int>(desc.widths.size())) list->setColumnWidth(column, desc.widths[column]);
        }
        // The columns stay in their order, each no narrower than the table's minimum.
        list->header()->setSectionsMovable(false);
        QObject::connect(list->header(), &QHeaderView::sectionResized, list,
                         [list, minimums = desc.minimumWidths](int column, int, int size) {
                             if (column < static_cast<int>(minimums.size()) && size < minimums[column])
                                 list->setColumnWidth(column, minimums[column]);
                         });
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
    for (const ControlRow& desc : layout.controls) {
        QWidget* control = isPage(page, desc.name) ? page : create(page, desc, book);
        if (control == nullptr) continue;
        control->setObjectName(QString::fromLatin1(desc.name));
        control->setGeometry(desc.place.x, desc.place.y, desc.place.width, desc.place.height);
        styleFont(control, desc);
        control->setEnabled(desc.enabled);
        if (!desc.visible) control->hide();
        if (desc.kind != ControlKind::UpDown && !desc.accessibleName.empty())
            book.accessibleName(control, desc.accessibleName);
        if (!desc.tip.empty()) {
            // Several controls may share one tip; each registers its own.
            book.custom(desc.tip, [control](const QString& text) { control->setToolTip(text); });
        }
    }
    for (const ControlRow& desc : layout.controls)
        if (desc.buddy != nullptr && desc.kind != ControlKind::UpDown)
            if (auto* label = page->findChild<QLabel*>(QString::fromLatin1(desc.name)))
                label->setBuddy(page->findChild<QWidget*>(QString::fromLatin1(desc.buddy)));
}
