#include "app/game_info_page.h"

#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QTreeWidget>

using namespace tavrix;

namespace {

QString shown(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void setupReportList(QTreeWidget* list) {
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSortingEnabled(false);
    list->setAllColumnsShowFocus(true);
    list->setStyleSheet(QStringLiteral(
        "QTreeView::item { border-right: 1px solid #d8d8d8; border-bottom: 1px solid #d8d8d8; }"
        "QTreeView::item:selected { background: palette(highlight); color: palette(highlighted-text); }"));
    list->header()->setSectionsClickable(false);
    list->header()->setMinimumSectionSize(20);
    list->header()->setStretchLastSection(false);
}

// Fills a report list with rows of two texts, unmarked when `marks` is set.
template <typename Rows>
void showRows(QTreeWidget* list, const Rows& rows, bool marks) {
    list->clear();
    QList<QTreeWidgetItem*> items;
    for (const auto& row : rows) {
        auto* item = new QTreeWidgetItem({shown(row.name), shown(row.signature)});
        if (marks) {
            // The marks are the verification's: shown, never changed by a click or Space.
            item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
            item->setCheckState(0, Qt::Unchecked);
        }
        items.push_back(item);
    }
    list->addTopLevelItems(items);
}

}  // namespace

GameInfoPage::GameInfoPage(PageHost& pageHost, GameInfoPageModel& pageModel, QWidget* parent)
    : Page(pageHost, kGameInfoPage, pageModel, gameInfoPageLayout(), "TS1", parent), model(pageModel) {
    auto* files = static_cast<QTreeWidget*>(control("LV1"));
    setupReportList(files);
    setupReportList(static_cast<QTreeWidget*>(control("LV2")));
    static_cast<QLabel*>(control("I1"))->setScaledContents(true);
    control("GB1")->installEventFilter(this);
}

bool GameInfoPage::eventFilter(QObject* watched, QEvent* event) {
    // A click on the romset group itself (its lines take their own clicks).
    if (watched == control("GB1") && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        report("GB1", ControlEvent::Click);
    return Page::eventFilter(watched, event);
}

bool GameInfoPage::loadPicture(const std::string& path) {
    QImage picture;
    if (!picture.load(QString::fromStdString(path))) return false;
    static_cast<QLabel*>(control("I1"))->setPixmap(QPixmap::fromImage(picture));
    return true;
}

void GameInfoPage::showModel() {
    auto* files = static_cast<QTreeWidget*>(control("LV1"));
    if (filesShown_ != model.filesFilled) {
        filesShown_ = model.filesFilled;
        showRows(files, model.files, true);
    }
    for (int row = 0; row < files->topLevelItemCount(); ++row) {
        const Qt::CheckState mark = model.files[static_cast<std::size_t>(row)].found ? Qt::Checked : Qt::Unchecked;
        if (files->topLevelItem(row)->checkState(0) != mark) files->topLevelItem(row)->setCheckState(0, mark);
    }
    if (membersShown_ != model.membersFilled) {
        membersShown_ = model.membersFilled;
        showRows(static_cast<QTreeWidget*>(control("LV2")), model.members, false);
    }
    if (!model.hasPicture()) static_cast<QLabel*>(control("I1"))->clear();
    // Never both: the views hide each other.
    control("GB1")->setVisible(model.romsetShown());
    files->setVisible(model.romsetShown());
    control("P1")->setVisible(model.panelShown);
    if (model.panelShown) control("P1")->raise();
}
