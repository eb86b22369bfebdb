#include "app/game_info_page.h"

#include "app/clickable_label.h"
#include "app/controls_page.h"
#include "app/form_builder.h"
#include "app/main_window.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QTreeWidget>

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
}

}  // namespace

GameInfoPage::GameInfoPage(TF1* owner) : Page(owner, "TS1") {
    CreateWidgets();
    ConnectWidgets();
}

void GameInfoPage::CreateWidgets() {
    buildForm(this, tavrix::gameInfoPageLayout(), book);
    TAVRIX_BIND(L1), TAVRIX_BIND(L2), TAVRIX_BIND(L6), TAVRIX_BIND(GB1), TAVRIX_BIND(L12), TAVRIX_BIND(L3);
    TAVRIX_BIND(L10), TAVRIX_BIND(L4), TAVRIX_BIND(L11), TAVRIX_BIND(L5), TAVRIX_BIND(LV1), TAVRIX_BIND(LV2);
    TAVRIX_BIND(P1), TAVRIX_BIND(I1);
    setupReportList(LV1);
    LV1->header()->setSectionsClickable(false);
    LV1->header()->setMinimumSectionSize(20);
    LV1->header()->setStretchLastSection(false);
    I1->setScaledContents(true);
}

void GameInfoPage::ConnectWidgets() {
    for (ClickableLabel* label : {L1, L2, L6, L12, L3, L10, L4, L11, L5, I1})
        connect(label, &ClickableLabel::clicked, this, [this] { L1Click(); });
    GB1->installEventFilter(this);
    // The file name column is never narrower than 100 pixels.
    connect(LV1->header(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (column == 0 && size < 100) LV1->setColumnWidth(0, 100);
    });
}

bool GameInfoPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == GB1 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        L1Click();
    return Page::eventFilter(watched, event);
}

bool GameInfoPage::loadPicture(const std::string& path) {
    QImage picture;
    if (!picture.load(QString::fromStdString(path))) return false;
    I1->setPixmap(QPixmap::fromImage(picture));
    return true;
}

void GameInfoPage::fill(int number) {
    update([&] {
        model.fill(number, form->ZF.baseDir(), [this](const std::string& path) { return loadPicture(path); });
    });
}

void GameInfoPage::showGame(const tavrix::GameRecord& game) {
    update([&] { model.showGame(game); });
}

void GameInfoPage::showSnapshot(const std::string& romsetName, tavrix::PathResolver& paths) {
    update([&] {
        model.showSnapshot(romsetName, paths, [this](const std::string& path) { return loadPicture(path); });
    });
}

void GameInfoPage::showMarks(const tavrix::GameVerification& verification) {
    update([&] { model.showMarks(verification); });
}

void GameInfoPage::clearForEmptyList() {
    update([&] { model.clearForEmptyList(); });
}

void GameInfoPage::L1Click() {
    update([&] { model.L1Click(form->LV0->topLevelItemCount() == 0); });
}

std::vector<bool> GameInfoPage::marks() const {
    std::vector<bool> result;
    for (int row = 0; row < LV1->topLevelItemCount(); ++row)
        result.push_back(LV1->topLevelItem(row)->checkState(0) == Qt::Checked);
    return result;
}

void GameInfoPage::showFiles() {
    if (filesShown_ != model.filesFilled) {
        filesShown_ = model.filesFilled;
        LV1->clear();
        QList<QTreeWidgetItem*> rows;
        for (const auto& file : model.files) {
            auto* row = new QTreeWidgetItem({shown(file.name), shown(file.signature)});
            row->setCheckState(0, Qt::Unchecked);
            rows.push_back(row);
        }
        LV1->addTopLevelItems(rows);
    }
    for (int row = 0; row < LV1->topLevelItemCount(); ++row) {
        const Qt::CheckState mark = model.files[static_cast<std::size_t>(row)].found ? Qt::Checked : Qt::Unchecked;
        if (LV1->topLevelItem(row)->checkState(0) != mark) LV1->topLevelItem(row)->setCheckState(0, mark);
    }
    if (membersShown_ != model.membersFilled) {
        membersShown_ = model.membersFilled;
        LV2->clear();
        QList<QTreeWidgetItem*> entries;
        for (const auto& member : model.members)
            entries.push_back(new QTreeWidgetItem({shown(member.name), shown(member.signature)}));
        LV2->addTopLevelItems(entries);
    }
}

void GameInfoPage::showModel() {
    L1->setText(shown(model.title));
    L2->setText(shown(model.makerAndYear));
    L6->setText(shown(model.hardware));
    L3->setText(shown(model.mainArchive));
    L4->setText(shown(model.biosArchive));
    L5->setText(shown(model.parentArchive));
    // The launch reads the game's controller plug-in choice from the Controls page's hidden box.
    form->controlsPage->CB21->setChecked(model.vantrelPlugin);
    showFiles();
    if (!model.hasPicture()) I1->clear();
    GB1->setVisible(model.romsetShown);
    LV1->setVisible(model.romsetShown);
    P1->setVisible(model.panelShown);
    if (model.panelShown) P1->raise();
}
