#include "core/layout/captions.h"
#include "app/general_page.h"

#include "app/form_builder.h"
#include "app/game_list.h"
#include "app/main_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace tavrix;

namespace {

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
    buildForm(this, generalPageLayout(), book);
    TAVRIX_BIND(E1), TAVRIX_BIND(B01), TAVRIX_BIND(CB24), TAVRIX_BIND(B02), TAVRIX_BIND(L16);
    TAVRIX_BIND(CB26), TAVRIX_BIND(CB27), TAVRIX_BIND(RG2Group), TAVRIX_BIND(B07), TAVRIX_BIND(B05);
    for (int i = 0; i < 4; ++i) RG2Items[i] = static_cast<QRadioButton*>(RG2Group->button(i));
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
    connect(RG2Group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked) return;
        model.sortChoice = id;
        RG2Click(id);
    });
}

int GeneralPage::sortChoice() const {
    return RG2Group->checkedId();
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
    if (model.B01Click(chooseFolder(form, tr2(folderPrompt())).toStdString()))
        E1->setText(QString::fromStdString(model.pathText));
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
