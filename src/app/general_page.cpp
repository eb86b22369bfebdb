#include "app/general_page.h"

#include "app/game_list.h"
#include "app/main_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace tavrix;

namespace {

constexpr Tr kFolderPrompt{"롬 경로 선택:", "Select rom path:"};

GeneralPage::FolderChooser folderChooser;

QString chooseFolder(QWidget* owner, const QString& prompt) {
    // Only file-system folders. Nothing is preselected: the dialog starts at the user's home,
    // not in the working directory that an empty start folder would give.
    const QString startFolder = QDir::homePath();
    if (folderChooser) return folderChooser(prompt, startFolder);
    return QFileDialog::getExistingDirectory(owner, prompt, startFolder,
                                             QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
}

}  // namespace

void GeneralPage::setFolderChooser(FolderChooser chooser) {
    folderChooser = std::move(chooser);
}

GeneralPage::GeneralPage(TF1* owner) : Page(owner, "TS2") {
    CreateWidgets();
    ConnectWidgets();
}

void GeneralPage::CreateWidgets() {
    GB2 = new QGroupBox(this);
    GB2->setObjectName("GB2");
    GB2->setGeometry(8, 6, 328, 104);
    // The same caption in both languages, so it says both.
    book.title(GB2, {" 롬 경로 / Rom Path "});

    L13 = new QLabel(GB2);
    L13->setObjectName("L13");
    L13->setGeometry(10, 18, 300, 14);
    book.text(L13, {"롬셋 디렉토리 / Romset directory:"});

    E1 = new QLineEdit(GB2);
    E1->setObjectName("E1");
    E1->setGeometry(10, 34, 276, 21);
    L13->setBuddy(E1);

    B01 = new QPushButton(GB2);
    B01->setObjectName("B01");
    B01->setGeometry(290, 34, 28, 21);
    QFont bold = B01->font();
    bold.setBold(true);
    B01->setFont(bold);
    B01->setText("...");
    book.accessibleName(B01, {"롬 경로 선택", "Select rom path"});  // its caption is only dots

    CB24 = new QCheckBox(GB2);
    CB24->setObjectName("CB24");
    CB24->setGeometry(10, 60, 188, 18);
    book.text(CB24, {" 시작할 때 롬 경로 다시 검색", " Rescan rom path on startup"});

    B02 = new QPushButton(GB2);
    B02->setObjectName("B02");
    B02->setGeometry(200, 58, 118, 23);
    book.text(B02, {"롬 경로 다시 검색", "Rescan rom path"});

    L16 = new QLabel(GB2);
    L16->setObjectName("L16");
    L16->setGeometry(10, 84, 308, 14);

    GB7 = new QGroupBox(this);
    GB7->setObjectName("GB7");
    GB7->setGeometry(8, 114, 328, 196);
    book.title(GB7, {" 게임 목록 ", " Game List "});

    CB26 = new QCheckBox(GB7);
    CB26->setObjectName("CB26");
    CB26->setGeometry(10, 18, 310, 18);
    book.text(CB26, {" 실행 가능한 게임만 표시 (롬셋 완비)", " Show only playable games (with full romset)"});

    CB27 = new QCheckBox(GB7);
    CB27->setObjectName("CB27");
    CB27->setGeometry(10, 38, 310, 18);
    book.text(CB27, {" 게임 목록에 모든 열 표시", " Show all columns in the games list"});

    RG2 = new QGroupBox(GB7);
    RG2->setObjectName("RG2");
    RG2->setGeometry(10, 62, 308, 124);
    book.title(RG2, {" 게임 목록 정렬 ", " Game List Sorting "});
    RG2Buttons = new QButtonGroup(this);
    RG2Buttons->setExclusive(true);
    static constexpr Tr kSortItems[4] = {{" 정렬 안 함 (에뮬레이터 순서)", " None (emulator order)"},
                                         {" 게임 이름순", " Sort by Game Name"},
                                         {" 제조사 / 플랫폼순", " Sort by Manufacturer / Hardware"},
                                         {" 연도순", " Sort by Year"}};
    for (int i = 0; i < 4; ++i) {
        RG2Items[i] = new QRadioButton(RG2);
        RG2Items[i]->setObjectName(QStringLiteral("RG2Item%1").arg(i));
        RG2Items[i]->setGeometry(10, 20 + i * 24, 290, 20);
        book.text(RG2Items[i], kSortItems[i]);
        RG2Buttons->addButton(RG2Items[i], i);
    }

    B07 = new QPushButton(this);
    B07->setObjectName("B07");
    B07->setGeometry(176, 320, 76, 25);
    book.text(B07, {"저장", "Save"});

    B05 = new QPushButton(this);
    B05->setObjectName("B05");
    B05->setGeometry(258, 320, 76, 25);
    book.text(B05, {"취소", "Cancel"});
}

void GeneralPage::ConnectWidgets() {
    connect(E1, &QLineEdit::textChanged, this, [this](const QString& text) {
        model.pathText = text.toStdString();
        E1Change();
    });
    connect(B01, &QPushButton::clicked, this, [this] { B01Click(); });
    connect(B02, &QPushButton::clicked, this, [this] { B02Click(); });
    connect(B07, &QPushButton::clicked, this, [this] { B07Click(); });
    connect(B05, &QPushButton::clicked, this, [this] { B05Click(); });
    // Check boxes and the radio group react to changes made in code as to clicks.
    connect(CB24, &QCheckBox::toggled, this, [this](bool on) { model.startupScan = on; });
    connect(CB26, &QCheckBox::toggled, this, [this](bool on) {
        model.showFullRomset = on;
        CB26Click();
    });
    connect(CB27, &QCheckBox::toggled, this, [this](bool on) {
        model.showAllColumns = on;
        CB27Click();
    });
    connect(RG2Buttons, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked) return;
        model.sortChoice = id;
        RG2Click(id);
    });
}

int GeneralPage::sortChoice() const {
    return RG2Buttons->checkedId();
}

void GeneralPage::selectSortChoice(int index) {
    if (index >= 0 && index < 4) RG2Items[index]->setChecked(true);
}

void GeneralPage::showModel() {
    E1->setText(QString::fromStdString(model.pathText));
    form->ZF.setBaseDir(model.romsDirectory());
    CB24->setChecked(model.startupScan);
    CB26->setChecked(model.showFullRomset);
    CB27->setChecked(model.showAllColumns);
    selectSortChoice(model.sortChoice);
}

void GeneralPage::E1Change() {
    form->ZF.setBaseDir(romsDirectory());
}

void GeneralPage::B01Click() {
    const QString folder = chooseFolder(form, tr2(kFolderPrompt));
    if (!folder.isEmpty()) E1->setText(folder);
}

void GeneralPage::B02Click() {
    // The scan reads the path box as it is now, saved or not; the page stays shown.
    form->scanRomsets();
    form->gameList->selectFirst();
}

void GeneralPage::B07Click() {
    model.B07Click(form->gameList->sortChoiceOfColumn(), form->gameList->ascending());
    form->showPage(0);
}

void GeneralPage::B05Click() {
    // The choice first: a changed choice re-sorts and re-marks the list under the direction it
    // had; the stored direction is taken afterwards and shows at the next sort (at start-up
    // the sort that follows this reload).
    update([&] { model.B05Click(); });
    form->gameList->setAscending(model.ascending);
}

void GeneralPage::CB26Click() {
    form->gameList->CB26Click();
}

void GeneralPage::CB27Click() {
    form->gameList->CB27Click();
}

void GeneralPage::RG2Click(int index) {
    form->gameList->RG2Click(index);
}
