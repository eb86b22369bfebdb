#include "app/game_list.h"

#include "app/captions.h"
#include "app/error_report.h"
#include "app/game_info_page.h"
#include "app/general_page.h"
#include "app/main_window.h"
#include "core/game_database.h"
#include "core/ini_document_cache.h"
#include "core/settings.h"
#include "core/text.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>

#include <algorithm>

using namespace tavrix;

namespace {

constexpr Tr kGameHeader{"게임", "Game"};
constexpr Tr kHardwareHeader{"플랫폼", "Hardware"};
constexpr Tr kYearHeader{"년도", "Year"};

// What a screen reader says of an entry's status, which the list shows only as its icon. The
// image list holds no status picture at 3, and other numbers show no icon: nothing is said.
QVariant spokenStatus(int status) {
    switch (status) {
    case kStatusNoneFound: return tr2({"롬셋 없음", "romset missing"});
    case kStatusFilesMissing: return tr2({"롬셋 불완전", "incomplete romset"});
    case kStatusPlayable: return tr2({"롬셋 완전", "complete romset"});
    case kStatusNeverScanned: return tr2({"검사 안 됨", "not checked"});
    default: return {};
    }
}

QByteArray sortBytes(const QTreeWidgetItem* item, int column) {
    return item->data(column, GameList::kSortBytesRole).toByteArray();
}

QString shown(const std::string& bytes) {
    return QString::fromUtf8(displayText(bytes));
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
    LV0->setColumnWidth(0, 256);
    LV0->headerItem()->setText(0, tr2(kGameHeader));
    LV0->headerItem()->setData(0, kHeaderImageRole, -1);

    connect(LV0, &QTreeWidget::currentItemChanged, this, [this] {
        if (handlersAttached_) LV0SelectItem();
    });
    connect(LV0->header(), &QHeaderView::sectionClicked, this, [this](int column) { LV0ColumnClick(column); });
    connect(LV0->header(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (column == 0 && size < 250) LV0->setColumnWidth(0, 250);
    });
    handlersAttached_ = true;
}

void GameList::applyEnglishCaptions() {
    LV0->headerItem()->setText(0, tr2(kGameHeader));
    if (allColumnsShown()) {
        LV0->headerItem()->setText(1, tr2(kHardwareHeader));
        LV0->headerItem()->setText(2, tr2(kYearHeader));
    }
}

void GameList::attachHandlers() {
    handlersAttached_ = true;
}

void GameList::detachHandlers() {
    handlersAttached_ = false;
}

void GameList::fill() {
    detachHandlers();
    LV0->clear();
    const auto document = IniDocumentCache::shared().load(kSettingsFileName);
    const std::vector<GameListRow> rows = readGameList(*document);
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const GameListRow& row : rows) {
        auto* item = new QTreeWidgetItem();
        item->setText(0, shown(row.name));
        item->setText(1, shown(row.systemName));
        item->setText(2, shown(row.year));
        item->setData(0, kSortBytesRole, QByteArray::fromStdString(row.name));
        item->setData(1, kSortBytesRole, QByteArray::fromStdString(row.systemName));
        item->setData(2, kSortBytesRole, QByteArray::fromStdString(row.year));
        item->setData(0, kNumberRole, row.number);
        item->setData(0, kOrderKeyRole, QString::fromStdString(emulatorOrderKey(row.number)));
        items.push_back(item);
        setStatus(item, row.status);
    }
    LV0->addTopLevelItems(items);
    attachHandlers();
    updateCountLine();
}

int GameList::numberOf(const QTreeWidgetItem* item) {
    return item->data(0, kNumberRole).toInt();
}

int GameList::statusOf(const QTreeWidgetItem* item) {
    return item->data(0, kStatusRole).toInt();
}

void GameList::setStatus(QTreeWidgetItem* item, int status) {
    item->setData(0, kStatusRole, status);
    // A status for which the image list holds no image shows no icon.
    item->setIcon(0, IL.icon(status));
    // Every cell of the row, so the status is spoken whichever column has the focus.
    const QVariant spoken = spokenStatus(status);
    for (int column = 0; column < 3; ++column) item->setData(column, Qt::AccessibleDescriptionRole, spoken);
}

int GameList::playableCount() const {
    int count = 0;
    for (int i = 0; i < LV0->topLevelItemCount(); ++i)
        if (statusOf(LV0->topLevelItem(i)) == kStatusPlayable) ++count;
    return count;
}

QString GameList::countLine(int playable, int total) {
    if (Language::english()) return QStringLiteral("Games: %1 from %2").arg(playable).arg(total);
    return QString::fromUtf8("보유 게임: %1 중 %2").arg(playable).arg(total);
}

void GameList::updateCountLine() {
    form->generalPage->L16->setText(countLine(playableCount(), LV0->topLevelItemCount()));
}

int GameList::LV0Compare(const QTreeWidgetItem* a, const QTreeWidgetItem* b) const {
    const int column = std::min(model.sortColumn, 2);
    const QByteArray x = sortBytes(a, column);
    const QByteArray y = sortBytes(b, column);
    return model.LV0Compare({std::string_view(x.constData(), static_cast<std::size_t>(x.size())), numberOf(a)},
                            {std::string_view(y.constData(), static_cast<std::size_t>(y.size())), numberOf(b)});
}

void GameList::sort() {
    const bool attached = handlersAttached_;
    detachHandlers();
    QTreeWidgetItem* current = LV0->currentItem();
    QList<QTreeWidgetItem*> items = LV0->invisibleRootItem()->takeChildren();
    std::stable_sort(items.begin(), items.end(),
                     [this](const QTreeWidgetItem* a, const QTreeWidgetItem* b) { return LV0Compare(a, b) < 0; });
    LV0->invisibleRootItem()->addChildren(items);
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
    const bool attached = handlersAttached_;
    detachHandlers();
    LV0->setCurrentItem(LV0->topLevelItem(0));
    handlersAttached_ = attached;
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
    if (form->generalPage->CB26->isChecked()) {
        detachHandlers();
        for (int i = LV0->topLevelItemCount() - 1; i >= 0; --i)
            if (!GameListModel::keptByPlayableFilter(statusOf(LV0->topLevelItem(i))))
                delete LV0->takeTopLevelItem(i);
        attachHandlers();
        if (LV0->topLevelItemCount() == 0) form->gameInfoPage->clearForEmptyList();
    } else {
        fill();
    }
    sort();
    selectFirst();
    LV0->setFocus();
}

void GameList::CB27Click() {
    model.CB27Click();
    if (!model.allColumns) {
        showHeaderImages();
        LV0->setColumnCount(1);
        form->setClientWidth(TF1::kClientWidth);
    } else {
        LV0->setColumnCount(3);
        LV0->headerItem()->setText(1, tr2(kHardwareHeader));
        LV0->headerItem()->setText(2, tr2(kYearHeader));
        LV0->setColumnWidth(1, 110);
        LV0->setColumnWidth(2, 40);
        showHeaderImages();
        form->setClientWidth(TF1::kWideClientWidth);
    }
}
