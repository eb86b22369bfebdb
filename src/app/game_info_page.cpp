#include "app/game_info_page.h"

#include "app/clickable_label.h"
#include "app/controls_page.h"
#include "app/main_window.h"
#include "core/error.h"
#include "core/ini_document_cache.h"
#include "core/settings.h"
#include "core/text.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QTreeWidget>

using namespace tavrix;

namespace {

QString shown(const std::string& bytes) {
    return QString::fromUtf8(displayText(bytes));
}

ClickableLabel* makeLabel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* label = new ClickableLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
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
    lister_ = &directLister_;
    CreateWidgets();
    ConnectWidgets();
}

void GameInfoPage::CreateWidgets() {
    L1 = makeLabel(this, "L1", QRect(4, 6, 336, 22));
    L1->setAlignment(Qt::AlignCenter);
    QFont titleFont = L1->font();
    titleFont.setBold(true);
    titleFont.setPixelSize(15);
    L1->setFont(titleFont);
    L1->setStyleSheet(QStringLiteral("color: navy;"));

    L2 = makeLabel(this, "L2", QRect(4, 30, 336, 16));
    L2->setAlignment(Qt::AlignCenter);
    QFont bold = L2->font();
    bold.setBold(true);
    L2->setFont(bold);

    L6 = makeLabel(this, "L6", QRect(4, 48, 336, 16));
    L6->setAlignment(Qt::AlignCenter);

    GB1 = new QGroupBox(this);
    GB1->setObjectName("GB1");
    GB1->setGeometry(8, 68, 328, 76);
    book.title(GB1, {" 롬셋 ", " Romsets "});
    // Main, BIOS, parent, top to bottom.
    L12 = makeLabel(GB1, "L12", QRect(10, 18, 100, 16));
    book.text(L12, {"메인 롬셋:", "main romset:"});
    L3 = makeLabel(GB1, "L3", QRect(112, 18, 206, 16));
    L10 = makeLabel(GB1, "L10", QRect(10, 36, 100, 16));
    book.text(L10, {"바이오스 롬셋:", "bios romset:"});
    L4 = makeLabel(GB1, "L4", QRect(112, 36, 206, 16));
    L11 = makeLabel(GB1, "L11", QRect(10, 54, 100, 16));
    book.text(L11, {"부모 롬셋:", "parent romset:"});
    L5 = makeLabel(GB1, "L5", QRect(112, 54, 206, 16));

    LV1 = new QTreeWidget(this);
    LV1->setObjectName("LV1");
    LV1->setGeometry(8, 148, 328, 198);
    setupReportList(LV1);
    LV1->setColumnCount(2);
    LV1->header()->setSectionsClickable(false);
    LV1->header()->setMinimumSectionSize(20);
    LV1->header()->setStretchLastSection(false);
    LV1->setColumnWidth(0, 230);
    LV1->setColumnWidth(1, 74);
    book.header(LV1, 0, {"파일 이름", "File Name"});
    book.header(LV1, 1, {"시그니처", "Signature"});

    LV2 = new QTreeWidget(this);
    LV2->setObjectName("LV2");
    LV2->setColumnCount(2);
    LV2->setHeaderLabels({QStringLiteral("File Name"), QStringLiteral("Signature")});
    LV2->hide();

    P1 = new QWidget(this);
    P1->setObjectName("P1");
    P1->setGeometry(8, 68, 328, 278);
    P1->setAutoFillBackground(true);
    I1 = makeLabel(P1, "I1", QRect(4, 19, 320, 240));
    I1->setScaledContents(true);
    P1->hide();
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

void GameInfoPage::applyEnglishCaptions() {
    Page::applyEnglishCaptions();
}

void GameInfoPage::setArchiveLister(ArchiveLister* lister) {
    lister_ = lister != nullptr ? lister : &directLister_;
}

ArchiveLister& GameInfoPage::archiveLister() {
    return *lister_;
}

void GameInfoPage::fill(int number) {
    // Parsed once and reused while tavrix.ini is unchanged on disk.
    const auto document = IniDocumentCache::shared().load(kSettingsFileName);
    const GameRecord game = readGame(*document, number);
    // Each fill sees the folders as they are now, and lists each of them at most once.
    lister_->paths().forget();
    showGame(game);
    showSnapshot(romsetNameOfArchive(L3->text().toStdString()), lister_->paths());
    const GameVerification verification = verifyGame(game, form->ZF.baseDir(), *lister_);
    showMarks(verification);
    if (verification.error) throw Error(*verification.error);
}

void GameInfoPage::showGame(const GameRecord& game) {
    L1->setText(shown(game.name));
    L2->setText(shown(game.manufacturer) + QStringLiteral("   ") + shown(game.year));
    L6->setText(shown(game.systemName));
    const RomsetArchives archives = romsetArchivesOf(game);
    L3->setText(shown(archives.main));
    L5->setText(shown(archives.parent));
    L4->setText(shown(archives.bios));
    // The launch reads the game's controller plug-in choice from the Controls page's hidden box.
    form->controlsPage->CB21->setChecked(game.vantrelPlugin);

    LV1->clear();
    QList<QTreeWidgetItem*> rows;
    for (const RomFileEntry& file : game.files) {
        auto* row = new QTreeWidgetItem({shown(file.name), shown(file.signature)});
        row->setCheckState(0, Qt::Unchecked);
        rows.push_back(row);
    }
    LV1->addTopLevelItems(rows);
}

void GameInfoPage::showSnapshot(const std::string& romsetName, PathResolver& paths) {
    // A cheap existence check first: most games of a large catalogue have no snapshot.
    for (const std::string& path : existingSnapshots(romsetName, paths)) {
        QImage picture;
        if (!picture.load(QString::fromStdString(path))) continue;
        I1->setPixmap(QPixmap::fromImage(picture));
        showSnapshotView();
        return;
    }
    I1->clear();
    showRomsetView();
}

void GameInfoPage::showMarks(const GameVerification& verification) {
    for (int row = 0; row < LV1->topLevelItemCount() && row < static_cast<int>(verification.marks.size()); ++row)
        if (verification.marks[static_cast<size_t>(row)]) LV1->topLevelItem(row)->setCheckState(0, Qt::Checked);
    LV2->clear();
    if (verification.lastListing) {
        QList<QTreeWidgetItem*> entries;
        for (const ArchiveEntry& entry : verification.lastListing->entries)
            entries.push_back(new QTreeWidgetItem({shown(entry.name), QString::fromStdString(crcText(entry.crc32))}));
        LV2->addTopLevelItems(entries);
    }
}

std::vector<bool> GameInfoPage::marks() const {
    std::vector<bool> result;
    for (int row = 0; row < LV1->topLevelItemCount(); ++row)
        result.push_back(LV1->topLevelItem(row)->checkState(0) == Qt::Checked);
    return result;
}

bool GameInfoPage::hasPicture() const {
    return !I1->pixmap().isNull() && I1->pixmap().width() > 0;
}

void GameInfoPage::clearForEmptyList() {
    I1->clear();
    P1->show();
    P1->raise();
    L1->clear();
    L2->clear();
    L6->clear();
}

void GameInfoPage::showRomsetView() {
    GB1->show();
    LV1->show();
    P1->hide();
}

void GameInfoPage::showSnapshotView() {
    P1->show();
    P1->raise();
}

void GameInfoPage::L1Click() {
    if (form->LV0->topLevelItemCount() == 0) return;
    if (P1->isVisibleTo(this) || !hasPicture()) {
        showRomsetView();
    } else {
        GB1->hide();
        LV1->hide();
        P1->show();
        P1->raise();
    }
}
