#include "app/game_list.h"

#include "app/captions.h"
#include "app/error_report.h"
#include "core/form_layout.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeView>

#include <algorithm>

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

GameList::GameList(WindowModel& windowModel, QTreeView* list, QObject* parent)
    : QAbstractTableModel(parent), window(windowModel), LV0(list) {
    LV0->setModel(this);
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

    // The selection's handler runs when an entry becomes the selected one (a current entry
    // that the focus brings is no selection).
    connect(LV0->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
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
    emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
}

int GameList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int GameList::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant GameList::data(const QModelIndex& index, int role) const {
    const auto row = static_cast<std::size_t>(index.row());
    if (!index.isValid() || row >= rows_.size()) return {};
    const int status = rows_[row].status;
    switch (role) {
    case Qt::DisplayRole:
        if (row >= window.list.entries.size()) return {};
        return shown(GameListModel::cellText(window.list.entries[row], index.column()));
    case Qt::DecorationRole:
        // A status for which the image list holds no image shows no icon.
        if (index.column() != 0 || status < 0 || status >= IL.count()) return {};
        return IL.icon(status);
    case Qt::AccessibleDescriptionRole: {
        // Every cell of the row, so the status is spoken whichever column has the focus.
        const Caption spoken = GameListModel::spokenStatus(status);
        return spoken.empty() ? QVariant() : QVariant(tr2(spoken));
    }
    case kNumberRole: return rows_[row].number;
    case kStatusRole: return status;
    default: return {};
    }
}

QVariant GameList::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_) return {};
    const int image = headerImages_[static_cast<std::size_t>(section)];
    switch (role) {
    case Qt::DisplayRole: return tr2(listRow().items[static_cast<std::size_t>(section)]);
    case Qt::DecorationRole: return image >= 0 ? QVariant(IL.icon(image)) : QVariant();
    case kHeaderImageRole: return image;
    default: return {};
    }
}

void GameList::showEntries() {
    handlersAttached_ = false;
    beginResetModel();
    rows_.clear();
    rows_.reserve(window.list.entries.size());
    for (const GameListRow& entry : window.list.entries) rows_.push_back({entry.number, entry.status});
    endResetModel();
    handlersAttached_ = true;
}

int GameList::numberOf(const QModelIndex& entry) {
    return entry.siblingAtColumn(0).data(kNumberRole).toInt();
}

int GameList::statusOf(const QModelIndex& entry) {
    return entry.siblingAtColumn(0).data(kStatusRole).toInt();
}

void GameList::showStatus(int position) {
    Row& row = rows_.at(static_cast<std::size_t>(position));
    row.status = window.list.entries[static_cast<std::size_t>(position)].status;
    emit dataChanged(index(position, 0), index(position, columns_ - 1),
                     {Qt::DecorationRole, Qt::AccessibleDescriptionRole, kStatusRole});
}

void GameList::showOrder() {
    const GameListRows& entries = window.list.entries;
    if (entries.size() != rows_.size()) {
        showEntries();
        return;
    }
    const bool attached = handlersAttached_;
    handlersAttached_ = false;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The selected and current entries move with their games.
    std::vector<int> rowOfNumber(static_cast<std::size_t>(kMaxGameNumber) + 1, -1);
    std::vector<Row> ordered;
    ordered.reserve(entries.size());
    for (const GameListRow& entry : entries) {
        if (entry.number >= 0 && entry.number <= kMaxGameNumber)
            rowOfNumber[static_cast<std::size_t>(entry.number)] = static_cast<int>(ordered.size());
        ordered.push_back({entry.number, entry.status});
    }
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before) {
        const int number = rows_[static_cast<std::size_t>(old.row())].number;
        const int row = number >= 0 && number <= kMaxGameNumber ? rowOfNumber[static_cast<std::size_t>(number)] : -1;
        after.push_back(row >= 0 ? index(row, old.column()) : QModelIndex());
    }
    rows_ = std::move(ordered);
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    if (LV0->currentIndex().isValid()) LV0->scrollTo(LV0->currentIndex());
    handlersAttached_ = attached;
}

void GameList::showHeaderImages() {
    for (int column = 0; column < columns_; ++column)
        headerImages_[static_cast<std::size_t>(column)] = window.list.headerImages[static_cast<std::size_t>(column)];
    emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
}

void GameList::showColumns() {
    const int wanted = window.list.allColumns ? 3 : 1;
    if (wanted > columns_) {
        beginInsertColumns({}, columns_, wanted - 1);
        columns_ = wanted;
        endInsertColumns();
    } else if (wanted < columns_) {
        beginRemoveColumns({}, wanted, columns_ - 1);
        columns_ = wanted;
        endRemoveColumns();
    }
    for (int column = 1; column < columns_; ++column)
        LV0->setColumnWidth(column, listRow().widths[static_cast<std::size_t>(column)]);
    showHeaderImages();
}

void GameList::selectQuietly(int position) {
    const bool attached = handlersAttached_;
    handlersAttached_ = false;
    LV0->setCurrentIndex(index(position, 0));
    handlersAttached_ = attached;
}

int GameList::selectedNumber() const {
    const QModelIndexList selected = LV0->selectionModel()->selectedRows();
    return selected.isEmpty() ? 0 : numberOf(selected.front());
}
