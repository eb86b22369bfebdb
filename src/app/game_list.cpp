#include "app/game_list.h"

#include "app/captions.h"
#include "app/error_report.h"
#include "app/game_info_page.h"
#include "app/general_page.h"
#include "app/main_window.h"
#include "core/form_layout.h"

#include <QCheckBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
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

GameList::GameList(TF1* owner, QTreeWidget* list) : QObject(owner), form(owner), LV0(list) {
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

    connect(LV0, &QTreeWidget::currentItemChanged, this, [this] {
        if (handlersAttached_) LV0SelectItem();
    });
    connect(LV0->header(), &QHeaderView::sectionClicked, this, [this](int column) { LV0ColumnClick(column); });
    // The title column is never narrower than 250 pixels.
    connect(LV0->header(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (column == 0 && size < 250) LV0->setColumnWidth(0, 250);
    });
    handlersAttached_ = true;
}

void GameList::applyEnglishCaptions() {
    for (int column = 0; column < LV0->columnCount(); ++column)
        LV0->headerItem()->setText(column, tr2(listRow().items[static_cast<std::size_t>(column)]));
}

void GameList::attachHandlers() {
    handlersAttached_ = true;
}

void GameList::detachHandlers() {
    handlersAttached_ = false;
}

void GameList::fill() {
    model.fill();
    showEntries();
    updateCountLine();
}

void GameList::showEntries() {
    detachHandlers();
    LV0->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(model.entries.size()));
    for (const GameListRow& entry : model.entries) {
        auto* item = new QTreeWidgetItem();
        for (int column = 0; column < 3; ++column) item->setText(column, shown(GameListModel::cellText(entry, column)));
        item->setData(0, kNumberRole, entry.number);
        showStatus(item, entry.status);
        items.push_back(item);
    }
    LV0->addTopLevelItems(items);
    attachHandlers();
}

int GameList::numberOf(const QTreeWidgetItem* item) {
    return item->data(0, kNumberRole).toInt();
}

int GameList::statusOf(const QTreeWidgetItem* item) {
    return item->data(0, kStatusRole).toInt();
}

void GameList::setStatus(QTreeWidgetItem* item, int status) {
    model.setStatus(numberOf(item), status);
    showStatus(item, status);
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

QString GameList::countLine(int playable, int total) {
    return shown(GameListModel::countLine(playable, total, Language::english()));
}

void GameList::updateCountLine() {
    form->generalPage->L16->setText(shown(model.countLine(Language::english())));
}

void GameList::sort() {
    model.sort();
    showOrder();
}

void GameList::showOrder() {
    const bool attached = handlersAttached_;
    detachHandlers();
    QTreeWidgetItem* current = LV0->currentItem();
    const QList<QTreeWidgetItem*> items = LV0->invisibleRootItem()->takeChildren();
    QHash<int, QTreeWidgetItem*> itemOfNumber;
    itemOfNumber.reserve(items.size());
    for (QTreeWidgetItem* item : items) itemOfNumber.insert(numberOf(item), item);
    QList<QTreeWidgetItem*> ordered;
    ordered.reserve(items.size());
    for (const GameListRow& entry : model.entries)
        if (QTreeWidgetItem* item = itemOfNumber.take(entry.number)) ordered.push_back(item);
    LV0->invisibleRootItem()->addChildren(ordered);
    if (current != nullptr) {
        LV0->setCurrentItem(current);
        LV0->scrollToItem(current);
    }
    handlersAttached_ = attached;
}

bool GameList::allColumnsShown() const {
    return LV0->columnCount() > 1;
}

int GameList::headerImage(int column) const {
    if (column >= LV0->columnCount()) return -1;
    const QVariant image = LV0->headerItem()->data(column, kHeaderImageRole);
    return image.isValid() ? image.toInt() : -1;
}

void GameList::showHeaderImages() {
    for (int column = 0; column < LV0->columnCount(); ++column) {
        const int image = model.headerImages[static_cast<std::size_t>(column)];
        LV0->headerItem()->setData(column, kHeaderImageRole, image);
        LV0->headerItem()->setIcon(column, IL.icon(image));
    }
}

void GameList::markSortColumn() {
    model.markSortColumn();
    showHeaderImages();
}

void GameList::RG2Click(int index) {
    model.RG2Click(index);
    if (index < 0 || index > 3) return;
    showHeaderImages();
    sort();
}

void GameList::LV0ColumnClick(int column) {
    const int choice = model.LV0ColumnClick(column);
    showHeaderImages();
    // Selecting the matching sort choice runs its handler when the choice changes.
    form->generalPage->selectSortChoice(choice);
    sort();
}

void GameList::selectFirst() {
    if (LV0->topLevelItemCount() == 0) return;
    setCurrentQuietly(LV0->topLevelItem(0));
    LV0SelectItem();
}

void GameList::setCurrentQuietly(QTreeWidgetItem* item) {
    const bool attached = handlersAttached_;
    detachHandlers();
    LV0->setCurrentItem(item);
    handlersAttached_ = attached;
}

void GameList::LV0SelectItem() {
    QTreeWidgetItem* item = LV0->currentItem();
    if (item == nullptr) return;
    const int number = numberOf(item);
    // An archive that cannot be read ends the fill; it is reported like any handler's error.
    ErrorReport::guard([&] { form->gameInfoPage->fill(number); });
}

void GameList::CB26Click() {
    const GameListModel::FilterOutcome outcome = model.CB26Click(form->generalPage->CB26->isChecked());
    showEntries();
    if (outcome.clearGameInfo) form->gameInfoPage->clearForEmptyList();
    if (outcome.refilled) updateCountLine();
    // The model's choice is the first entry, which is where the list now shows it.
    if (outcome.select != 0) selectFirst();
    LV0->setFocus();
}

void GameList::CB27Click() {
    model.CB27Click();
    if (!model.allColumns) {
        showHeaderImages();
        LV0->setColumnCount(1);
        form->setClientWidth(kClientWidth);
    } else {
        LV0->setColumnCount(3);
        for (int column = 1; column < 3; ++column) {
            LV0->headerItem()->setText(column, tr2(listRow().items[static_cast<std::size_t>(column)]));
            LV0->setColumnWidth(column, listRow().widths[static_cast<std::size_t>(column)]);
        }
        showHeaderImages();
        form->setClientWidth(kWideClientWidth);
    }
}
