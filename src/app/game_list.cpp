#include "app/game_list.h"

#include "app/captions.h"
#include "app/error_report.h"
#include "core/form_layout.h"

#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeWidget>

using namespace tavrix;

namespace {

// The column headers and widths: title, hardware, year.
const ControlRow& listRow() {
    return mainWindowLayout()["LV0"];
}

QString shown(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

GameList::GameList(WindowModel& windowModel, QTreeWidget* list, QObject* parent)
    : QObject(parent), window(windowModel), LV0(list) {
    LV0->setColumnCount(1);
    LV0->setRootIsDecorated(false);
    LV0->setUniformRowHeights(true);
    LV0->setSelectionMode(QAbstractItemView::SingleSelection);
    LV0->setSelectionBehavior(QAbstractItemView::SelectRows);
    LV0->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LV0->setSortingEnabled(false);
    LV0->setIconSize(QSize(16, 16));
    LV0->setAllColumnsShowFocus(true);
    // Grid lines between the cells.
    LV0->setStyleSheet(QStringLiteral(
        "QTreeView::item { border-right: 1px solid #d8d8d8; border-bottom: 1px solid #d8d8d8; }"
        "QTreeView::item:selected { background: palette(highlight); color: palette(highlighted-text); }"));
    LV0->header()->setSectionsClickable(true);
    LV0->header()->setSectionsMovable(false);
    LV0->header()->setStretchLastSection(false);
    LV0->header()->setMinimumSectionSize(20);
    LV0->setColumnWidth(0, listRow().widths[0]);
    LV0->headerItem()->setText(0, tr2(listRow().items[0]));
    LV0->headerItem()->setData(0, kHeaderImageRole, -1);

    // The selection's handler runs when an entry becomes the selected one (a current entry
    // that the focus brings is no selection).
    connect(LV0, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (handlersAttached_ && selectedNumber() != 0) window.LV0SelectItem(selectedNumber());
    });
    connect(LV0->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { ErrorReport::guard([&] { window.LV0ColumnClick(column); }); });
    connect(LV0, &QAbstractItemView::doubleClicked, this,
            [this] { ErrorReport::guard([this] { window.LV0DblClick(); }); });
    LV0->installEventFilter(this);
    // The title column is never narrower than the table's minimum.
    connect(LV0->header(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        const int minimum = listRow().minimumWidths[0];
        if (column == 0 && size < minimum) LV0->setColumnWidth(0, minimum);
    });
    handlersAttached_ = true;
}

bool GameList::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const ListKey which = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ? ListKey::Enter
                          : key->key() == Qt::Key_F11                                  ? ListKey::F11
                                                                                       : ListKey::Other;
    if (which == ListKey::Other) return false;
    const Qt::KeyboardModifiers held = key->modifiers();
    const KeyModifiers modifiers{held.testFlag(Qt::ControlModifier), held.testFlag(Qt::ShiftModifier),
                                 held.testFlag(Qt::AltModifier)};
    ErrorReport::guard([&] { window.LV0KeyDown(which, modifiers); });
    return true;
}

void GameList::applyEnglishCaptions() {
    for (int column = 0; column < LV0->columnCount(); ++column)
        LV0->headerItem()->setText(column, tr2(listRow().items[static_cast<std::size_t>(column)]));
}

void GameList::showEntries() {
    handlersAttached_ = false;
    LV0->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(window.list.entries.size()));
    for (const GameListRow& entry : window.list.entries) {
        auto* item = new QTreeWidgetItem();
        for (int column = 0; column < 3; ++column) item->setText(column, shown(GameListModel::cellText(entry, column)));
        item->setData(0, kNumberRole, entry.number);
        showStatus(item, entry.status);
        items.push_back(item);
    }
    LV0->addTopLevelItems(items);
    handlersAttached_ = true;
}

int GameList::numberOf(const QTreeWidgetItem* item) {
    return item->data(0, kNumberRole).toInt();
}

int GameList::statusOf(const QTreeWidgetItem* item) {
    return item->data(0, kStatusRole).toInt();
}

void GameList::showStatus(int position) {
    showStatus(LV0->topLevelItem(position), window.list.entries[static_cast<std::size_t>(position)].status);
}

void GameList::showStatus(QTreeWidgetItem* item, int status) {
    item->setData(0, kStatusRole, status);
    // A status for which the image list holds no image shows no icon.
    item->setIcon(0, IL.icon(status));
    // Every cell of the row, so the status is spoken whichever column has the focus.
    const Caption spoken = GameListModel::spokenStatus(status);
    const QVariant description = spoken.empty() ? QVariant() : QVariant(tr2(spoken));
    for (int column = 0; column < 3; ++column) item->setData(column, Qt::AccessibleDescriptionRole, description);
}

void GameList::showOrder() {
    const bool attached = handlersAttached_;
    handlersAttached_ = false;
    QTreeWidgetItem* current = LV0->currentItem();
    const QList<QTreeWidgetItem*> items = LV0->invisibleRootItem()->takeChildren();
    QHash<int, QTreeWidgetItem*> itemOfNumber;
    itemOfNumber.reserve(items.size());
    for (QTreeWidgetItem* item : items) itemOfNumber.insert(numberOf(item), item);
    QList<QTreeWidgetItem*> ordered;
    ordered.reserve(items.size());
    for (const GameListRow& entry : window.list.entries)
        if (QTreeWidgetItem* item = itemOfNumber.take(entry.number)) ordered.push_back(item);
    LV0->invisibleRootItem()->addChildren(ordered);
    if (current != nullptr) {
        LV0->setCurrentItem(current);
        LV0->scrollToItem(current);
    }
    handlersAttached_ = attached;
}

void GameList::showHeaderImages() {
    for (int column = 0; column < LV0->columnCount(); ++column) {
        const int image = window.list.headerImages[static_cast<std::size_t>(column)];
        LV0->headerItem()->setData(column, kHeaderImageRole, image);
        LV0->headerItem()->setIcon(column, IL.icon(image));
    }
}

void GameList::showColumns() {
    showHeaderImages();
    LV0->setColumnCount(window.list.allColumns ? 3 : 1);
    for (int column = 1; column < LV0->columnCount(); ++column) {
        LV0->headerItem()->setText(column, tr2(listRow().items[static_cast<std::size_t>(column)]));
        LV0->setColumnWidth(column, listRow().widths[static_cast<std::size_t>(column)]);
    }
    showHeaderImages();
}

void GameList::selectQuietly(int position) {
    const bool attached = handlersAttached_;
    handlersAttached_ = false;
    LV0->setCurrentItem(LV0->topLevelItem(position));
    handlersAttached_ = attached;
}

int GameList::selectedNumber() const {
    const QList<QTreeWidgetItem*> selected = LV0->selectedItems();
    return selected.isEmpty() ? 0 : numberOf(selected.first());
}
