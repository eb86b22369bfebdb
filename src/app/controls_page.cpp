#include "app/controls_page.h"

#include "app/clickable_label.h"
#include "app/main_window.h"
#include "core/virtual_keys.h"
#include "platform/joystickex.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>

#include <algorithm>

using namespace tavrix;

// The key numbers that core uses are the toolkit's own.
static_assert(toolkit_key::Escape == Qt::Key_Escape && toolkit_key::Enter == Qt::Key_Enter &&
              toolkit_key::Shift == Qt::Key_Shift && toolkit_key::F1 == Qt::Key_F1 &&
              toolkit_key::F24 == Qt::Key_F24 && toolkit_key::Calculator == Qt::Key_Calculator &&
              toolkit_key::AltGr == Qt::Key_AltGr && toolkit_key::Menu == Qt::Key_Menu &&
              toolkit_key::SuperR == Qt::Key_Super_R && toolkit_key::Clear == Qt::Key_Clear &&
              toolkit_key::PageDown == Qt::Key_PageDown && toolkit_key::ScrollLock == Qt::Key_ScrollLock);

namespace {

const char* const kProgramTitle = "Tavrix";
const Tr kCaptureCaption{"Tavrix - 키 또는 버튼을 누르세요...", "Tavrix - Press key or button..."};
const Tr kPlayer1Group{" 플레이어 1 ", " Player 1 "};
const Tr kPlayer2Group{" 플레이어 2 ", " Player 2 "};

ClickableLabel* assignableLabel(QWidget* parent, const char* name, int left, int top, int width) {
    auto* label = new ClickableLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(left, top, width, 16);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QLabel* plainLabel(QWidget* parent, const char* name, int left, int top, int width = 60) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(left, top, width, 16);
    return label;
}

}  // namespace

ControlsPage::ControlsPage(TF1* owner) : Page(owner, "TS4") {
    CreateWidgets();
    ConnectWidgets();
}

void ControlsPage::CreateWidgets() {
    GB5 = new QGroupBox(this);
    GB5->setObjectName("GB5");
    GB5->setGeometry(8, 6, 330, 64);
    book.title(GB5, {" 일반 ", " General "});
    L61 = plainLabel(GB5, "L61", 10, 20, 64);
    book.text(L61, {"테스트:", "Test:"});
    L33 = assignableLabel(GB5, "L33", 76, 20, 92);
    L62 = plainLabel(GB5, "L62", 10, 40, 64);
    book.text(L62, {"서비스:", "Services:"});
    L34 = assignableLabel(GB5, "L34", 76, 40, 92);
    L63 = plainLabel(GB5, "L63", 176, 20, 64);
    book.text(L63, {"스냅샷:", "Snapshot:"});
    L35 = plainLabel(GB5, "L35", 242, 20, 80);
    L35->setText("F5");
    L64 = plainLabel(GB5, "L64", 176, 40, 64);
    L64->setText("FPS:");
    L36 = plainLabel(GB5, "L36", 242, 40, 80);
    L36->setText("insert");
    book.custom({" 변경할 수 없음 ", " not changeable "}, [this](const QString& hint) {
        L35->setToolTip(hint);
        L36->setToolTip(hint);
    });

    CB23 = new QComboBox(this);
    CB23->setObjectName("CB23");
    CB23->setGeometry(8, 76, 120, 21);
    book.items(CB23, {{"플레이어 1", "Player 1"}, {"플레이어 2", "Player 2"}});
    book.accessibleName(CB23, {"플레이어", "Player"});  // no label stands beside it
    CB23->setCurrentIndex(0);

    GB6 = new QGroupBox(this);
    GB6->setObjectName("GB6");
    GB6->setGeometry(8, 102, 330, 156);
    book.title(GB6, kPlayer1Group);
    // Left column: coin, start and the four directions; right column: the six buttons.
    const struct {
        QLabel** caption;
        const char* captionName;
        Tr text;
        ClickableLabel** value;
        const char* valueName;
    } leftColumn[] = {
        {&L65, "L65", {"코인:", "Coin:"}, &L31, "L31"},     {&L66, "L66", {"시작:", "Start:"}, &L32, "L32"},
        {&L67, "L67", {"위:", "Up:"}, &L27, "L27"},         {&L68, "L68", {"아래:", "Down:"}, &L28, "L28"},
        {&L69, "L69", {"왼쪽:", "Left:"}, &L29, "L29"},     {&L70, "L70", {"오른쪽:", "Right:"}, &L30, "L30"},
    },
      rightColumn[] = {
        {&L71, "L71", {"버튼 1:", "Button 1:"}, &L21, "L21"}, {&L72, "L72", {"버튼 2:", "Button 2:"}, &L22, "L22"},
        {&L73, "L73", {"버튼 3:", "Button 3:"}, &L23, "L23"}, {&L74, "L74", {"버튼 4:", "Button 4:"}, &L24, "L24"},
        {&L75, "L75", {"버튼 5:", "Button 5:"}, &L25, "L25"}, {&L76, "L76", {"버튼 6:", "Button 6:"}, &L26, "L26"},
    };
    for (int row = 0; row < 6; ++row) {
        const int top = 22 + row * 21;
        *leftColumn[row].caption = plainLabel(GB6, leftColumn[row].captionName, 10, top, 56);
        book.text(*leftColumn[row].caption, leftColumn[row].text);
        *leftColumn[row].value = assignableLabel(GB6, leftColumn[row].valueName, 68, top, 96);
        *rightColumn[row].caption = plainLabel(GB6, rightColumn[row].captionName, 172, top, 60);
        book.text(*rightColumn[row].caption, rightColumn[row].text);
        *rightColumn[row].value = assignableLabel(GB6, rightColumn[row].valueName, 234, top, 92);
    }

    CB25 = new QCheckBox(this);
    CB25->setObjectName("CB25");
    CB25->setGeometry(8, 264, 330, 20);
    book.text(CB25, {" DirectInput 대신 WinMM 조이스틱 인터페이스 사용",
                     " Use WinMM joystick interface instead of DirectInput"});

    B04 = new QPushButton(this);
    B04->setObjectName("B04");
    B04->setGeometry(168, 322, 80, 25);
    book.text(B04, {"저장", "Save"});
    B03 = new QPushButton(this);
    B03->setObjectName("B03");
    B03->setGeometry(256, 322, 80, 25);
    book.text(B03, {"취소", "Cancel"});

    E4 = new QLineEdit(this);
    E4->setObjectName("E4");
    E4->setGeometry(8, 322, 0, 21);
    E4->setReadOnly(true);
    E4->setEnabled(false);
    E4->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
    // Focused during a capture: a screen reader says what the focus is waiting for.
    book.accessibleName(E4, {"키 입력 받기", "Key capture"});

    CB21 = new QCheckBox(this);
    CB21->setObjectName("CB21");
    CB21->setChecked(true);
    CB21->setVisible(false);
}

void ControlsPage::ConnectWidgets() {
    const auto labels = assignableLabels();
    for (int i = 0; i < kControllerLabelCount; ++i) {
        auto* clickable = static_cast<ClickableLabel*>(labels[i]);
        connect(clickable, &ClickableLabel::doubleClicked, this, [this, clickable] { L27DblClick(clickable); });
    }
    E4->installEventFilter(this);
    connect(CB23, &QComboBox::currentIndexChanged, this, [this](int index) { model.state.player = index; });
    connect(CB25, &QCheckBox::toggled, this, [this](bool on) { model.state.useMM = on; });
    // Only a choice by the user runs the handler; selecting from code does not.
    connect(CB23, &QComboBox::activated, this, [this] { CB23Change(); });
    connect(B04, &QPushButton::clicked, this, [this] { B04Click(); });
    connect(B03, &QPushButton::clicked, this, [this] { B03Click(); });
    // The page is shown and hidden as the page control's current page changes.
    connect(form->PC1, &QTabWidget::currentChanged, this, [this] {
        const bool current = form->PC1->currentWidget() == this;
        if (current == pageShown) return;
        pageShown = current;
        if (current)
            TS4Show();
        else
            TS4Hide();
    });
}

void ControlsPage::buildInputNames(bool english) {
    model.buildInputNames(english);
}

std::array<QLabel*, kControllerLabelCount> ControlsPage::assignableLabels() const {
    std::array<QLabel*, kControllerLabelCount> labels{};
    for (int i = 0; i < kControllerLabelCount; ++i)
        labels[i] = findChild<QLabel*>(QStringLiteral("L%1").arg(21 + i));
    return labels;
}

void ControlsPage::showModel() {
    const QSignalBlocker blockCB23(CB23), blockCB25(CB25);
    const auto labels = assignableLabels();
    for (int i = 0; i < kControllerLabelCount; ++i)
        labels[i]->setText(QString::fromStdString(model.state.captions[i]));
    CB23->setCurrentIndex(model.state.player == 0 ? 0 : 1);
    CB25->setChecked(model.state.useMM);
    E4->setEnabled(model.capturing);
    if (shownCaptions != model.captionsSet) {
        shownCaptions = model.captionsSet;
        form->setWindowTitle(model.capturing ? tr2(kCaptureCaption) : QString::fromLatin1(kProgramTitle));
    }
    if (shownGroupPlayer != model.groupPlayer) {
        shownGroupPlayer = model.groupPlayer;
        GB6->setTitle(tr2(model.groupPlayer == 0 ? kPlayer1Group : kPlayer2Group));
    }
}

void ControlsPage::LoadControllerConfig() {
    update([&] { model.LoadControllerConfig(); });
}

void ControlsPage::SaveControllerConfig() {
    model.SaveControllerConfig();
}

void ControlsPage::L27DblClick(QLabel* sender) {
    const auto labels = assignableLabels();
    const int index = static_cast<int>(std::find(labels.begin(), labels.end(), sender) - labels.begin());
    bool started = false;
    update([&] { started = model.L27DblClick(index); });
    if (!started) return;
    // Without a joystick on a port the capture fails; keys still work.
    form->J1->StartCapture();
    form->J2->StartCapture();
    E4->setFocus();
}

void ControlsPage::E4KeyDown(int virtualKey) {
    update([&] { model.E4KeyDown(virtualKey); });
}

void ControlsPage::J1JoyMove(TJoystickex* sender, int xPos, int yPos, uint16_t buttonStatus, bool) {
    const int joystick = sender != nullptr && sender->objectName() == QLatin1String("J2") ? 2 : 1;
    update([&] { model.J1JoyMove(joystick, xPos, yPos, buttonStatus); });
}

void ControlsPage::J1JoyRemoved(TJoystickex*) {
    update([&] { model.J1JoyRemoved(); });
}

bool ControlsPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == E4 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        E4KeyDown(windowsVirtualKey(key->key(), key->modifiers().testFlag(Qt::KeypadModifier)));
    }
    return Page::eventFilter(watched, event);  // the key also reaches the edit box
}

void ControlsPage::TS4Show() {
    update([&] { model.TS4Show(); });
}

void ControlsPage::TS4Hide() {
    update([&] { model.TS4Hide(); });
}

void ControlsPage::CB23Change() {
    update([&] { model.CB23Change(); });
}

void ControlsPage::B04Click() {
    model.B04Click();
    form->showPage(0);
}

void ControlsPage::B03Click() {
    update([&] { model.B03Click(); });
}
