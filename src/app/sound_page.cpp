#include "app/sound_page.h"

#include "app/form_builder.h"
#include "app/main_window.h"
#include "app/up_down.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

SoundPage::SoundPage(TF1* owner) : Page(owner, "TS6") {
    CreateWidgets();
    ConnectWidgets();
}

void SoundPage::CreateWidgets() {
    buildForm(this, tavrix::soundPageLayout(), book);
    TAVRIX_BIND(GB4), TAVRIX_BIND(CB1), TAVRIX_BIND(CB19), TAVRIX_BIND(L15), TAVRIX_BIND(CB20);
    TAVRIX_BIND(RG1), TAVRIX_BIND(RG1Group), TAVRIX_BIND(ST1), TAVRIX_BIND(E3), TAVRIX_BIND(UD2);
    TAVRIX_BIND(GB8), TAVRIX_BIND(L89), TAVRIX_BIND(L90), TAVRIX_BIND(L91), TAVRIX_BIND(L92);
    TAVRIX_BIND(B11), TAVRIX_BIND(B12);
    for (int i = 0; i < 3; ++i) RG1Items[i] = static_cast<QRadioButton*>(RG1Group->button(i));
}

void SoundPage::ConnectWidgets() {
    // Changes made by the program reach the model as the user's do: a check box's click
    // handler runs for any change of its state.
    connect(CB1, &QCheckBox::toggled, this, [this](bool on) { update([&] { model.soundChecked = on, model.CB1Click(); }); });
    connect(CB19, &QCheckBox::toggled, this, [this](bool on) { update([&] { model.filterChecked = on, model.CB19Click(); }); });
    connect(RG1Group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) update([&] { model.effectIndex = id, model.RG1Click(); });
    });
    connect(CB20, &QComboBox::currentIndexChanged, this, [this](int index) { model.cutoffIndex = index; });
    connect(E3, &QLineEdit::textChanged, this,
            [this](const QString& text) { model.multiplierText = text.toStdString(); });
    connect(B11, &QPushButton::clicked, this, [this] { B11Click(); });
    connect(B12, &QPushButton::clicked, this, [this] { B12Click(); });
}

int SoundPage::RG1ItemIndex() const {
    return RG1Group->checkedId();
}

void SoundPage::setRG1ItemIndex(int index) {
    if (index >= 0 && index < 3) RG1Items[index]->setChecked(true);
}

void SoundPage::showModel() {
    const QSignalBlocker blockers[] = {QSignalBlocker(CB1), QSignalBlocker(CB19), QSignalBlocker(CB20),
                                       QSignalBlocker(RG1Group), QSignalBlocker(E3)};
    CB1->setChecked(model.soundChecked);
    CB19->setChecked(model.filterChecked);
    CB19->setEnabled(model.filterEnabled);
    CB20->setCurrentIndex(model.cutoffIndex);
    CB20->setEnabled(model.cutoffEnabled);
    L15->setEnabled(model.cutoffEnabled);
    RG1Items[model.effectIndex]->setChecked(true);
    RG1->setEnabled(model.effectEnabled);
    const QString multiplier = QString::fromStdString(model.multiplierText);
    if (E3->text() != multiplier) E3->setText(multiplier);
    for (QWidget* control : std::initializer_list<QWidget*>{E3, UD2, ST1})
        control->setEnabled(model.multiplierEnabled);
}

void SoundPage::B11Click() {
    model.B11Click();
    form->showPage(tavrix::kGameInfoPage);
}

void SoundPage::B12Click() {
    form->showPage(tavrix::kSoundPage);
    update([&] { model.B12Click(); });
}
