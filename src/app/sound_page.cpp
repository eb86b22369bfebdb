#include "app/sound_page.h"

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

namespace {
constexpr int kGameInfoPage = 0;
constexpr int kSoundPage = 3;
}  // namespace

SoundPage::SoundPage(TF1* owner) : Page(owner, "TS6") {
    CreateWidgets();
    ConnectWidgets();
}

void SoundPage::CreateWidgets() {
    auto named = [](QWidget* widget, const char* name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };

    GB4 = new QGroupBox(this);
    named(GB4, "GB4");
    GB4->setGeometry(6, 4, 332, 196);
    book.title(GB4, {" 사운드 ", " Sound "});

    CB1 = new QCheckBox(GB4);
    named(CB1, "CB1");
    CB1->setGeometry(12, 20, 300, 19);
    book.text(CB1, {" 사운드 에뮬레이션 사용", " Enable sound emulation"});

    CB19 = new QCheckBox(GB4);
    named(CB19, "CB19");
    CB19->setGeometry(12, 44, 140, 19);
    book.text(CB19, {" 사운드 필터", " Sound filter"});

    L15 = new QLabel(GB4);
    named(L15, "L15");
    L15->setGeometry(160, 44, 160, 19);
    book.text(L15, {"필터 차단 주파수", "Filter cutoff frequency"});
    L15->setEnabled(false);

    CB20 = new QComboBox(GB4);
    named(CB20, "CB20");
    CB20->setGeometry(160, 66, 100, 21);
    // The frequencies read the same in both languages.
    CB20->addItems({"8000 Hz", "11025 Hz", "22050 Hz", "44100 Hz"});
    CB20->setCurrentIndex(2);
    CB20->setEnabled(false);
    L15->setBuddy(CB20);  // the list is spoken by its label

    RG1 = new QGroupBox(GB4);
    named(RG1, "RG1");
    RG1->setGeometry(12, 94, 200, 92);
    book.title(RG1, {" 추가 음향 효과 ", " Additional Sound Effects "});
    RG1Group = new QButtonGroup(this);
    RG1Group->setObjectName(QStringLiteral("RG1Group"));
    const Tr itemCaptions[3] = {
        {" 없음", " None"},
        {" 스테레오 익사이터", " Stereo Exciter"},
        {" 라이트 서라운드 \u2122", " Lite-Surround \u2122"},
    };
    for (int i = 0; i < 3; ++i) {
        RG1Items[i] = new QRadioButton(RG1);
        RG1Items[i]->setObjectName(QStringLiteral("RG1Item%1").arg(i));
        RG1Items[i]->setGeometry(10, 18 + i * 23, 180, 19);
        book.text(RG1Items[i], itemCaptions[i]);
        RG1Group->addButton(RG1Items[i], i);
    }
    RG1Items[0]->setChecked(true);

    ST1 = new QLabel(GB4);
    named(ST1, "ST1");
    ST1->setGeometry(222, 132, 100, 16);
    book.text(ST1, {"배율:", "Multiplier:"});

    E3 = new QLineEdit(GB4);
    named(E3, "E3");
    E3->setGeometry(222, 152, 44, 21);
    E3->setText(QStringLiteral("40"));
    E3->setEnabled(false);

    UD2 = new UpDown(E3, GB4);
    named(UD2, "UD2");
    UD2->setGeometry(266, 152, 16, 21);
    UD2->setRange(0, 99);
    UD2->setPosition(40);
    UD2->setEnabled(false);
    ST1->setBuddy(E3);
    book.accessibleName(UD2->upButton(), {"배율 올리기", "Multiplier up"});
    book.accessibleName(UD2->downButton(), {"배율 내리기", "Multiplier down"});

    GB8 = new QGroupBox(this);
    named(GB8, "GB8");
    GB8->setGeometry(4, 206, 336, 106);
    book.title(GB8, {" 도움말 ", " Hint "});
    // The built-in hint needs four lines; the English one fits in three and empties the fourth.
    const Tr hintLines[4] = {
        {"게임 스냅샷과 롬셋 무결성 정보 사이를", "In order to switch between the game snapshot to romset"},
        {"전환하려면 '게임 정보' 탭에서", "integrity information you should click on the name of game"},
        {"게임 이름을 클릭하거나", "on 'Game Info' tab or click directly on picture."},
        {"그림을 직접 클릭하십시오.", ""},
    };
    QLabel** lines[4] = {&L89, &L90, &L91, &L92};
    const char* lineNames[4] = {"L89", "L90", "L91", "L92"};
    for (int i = 0; i < 4; ++i) {
        *lines[i] = new QLabel(GB8);
        named(*lines[i], lineNames[i]);
        (*lines[i])->setGeometry(5, 20 + i * 20, 330, 16);
        book.text(*lines[i], hintLines[i]);
    }

    B11 = new QPushButton(this);
    named(B11, "B11");
    B11->setGeometry(180, 322, 75, 25);
    book.text(B11, {"저장", "Save"});

    B12 = new QPushButton(this);
    named(B12, "B12");
    B12->setGeometry(262, 322, 75, 25);
    book.text(B12, {"취소", "Cancel"});
}

void SoundPage::ConnectWidgets() {
    // Changes made by the program reach the model as the user's do: a check box's click
    // handler runs for any change of its state.
    connect(CB1, &QCheckBox::toggled, this, [this](bool on) { update([&] { model.checkSound(on); }); });
    connect(CB19, &QCheckBox::toggled, this, [this](bool on) { update([&] { model.checkFilter(on); }); });
    connect(RG1Group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) update([&] { model.pickEffect(id); });
    });
    connect(CB20, &QComboBox::currentIndexChanged, this, [this](int index) { model.pickCutoff(index); });
    connect(E3, &QLineEdit::textChanged, this,
            [this](const QString& text) { model.typeMultiplier(text.toStdString()); });
    connect(B11, &QPushButton::clicked, this, [this] { B11Click(); });
    connect(B12, &QPushButton::clicked, this, [this] { B12Click(); });
}

void SoundPage::applyEnglishCaptions() {
    Page::applyEnglishCaptions();
    L92->clear();
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
    form->showPage(kGameInfoPage);
}

void SoundPage::B12Click() {
    form->showPage(kSoundPage);
    update([&] { model.B12Click(); });
}
