#include "app/controls_page.h"

#include "app/clickable_label.h"
#include "app/form_builder.h"
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

ControlsPage::ControlsPage(TF1* owner) : Page(owner, "TS4") {
    CreateWidgets();
    ConnectWidgets();
}

void ControlsPage::CreateWidgets() {
    buildForm(this, controlsPageLayout(), book);
    TAVRIX_BIND(GB5), TAVRIX_BIND(CB23), TAVRIX_BIND(GB6), TAVRIX_BIND(CB25), TAVRIX_BIND(B04);
    TAVRIX_BIND(B03), TAVRIX_BIND(E4), TAVRIX_BIND(CB21);
    for (int i = 0; i < kControllerLabelCount; ++i) assignable[i] = findChild<QLabel*>(QStringLiteral("L%1").arg(21 + i));
    E4->setReadOnly(true);
    E4->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
}

void ControlsPage::ConnectWidgets() {
    for (QLabel* label : assignable) {
        auto* clickable = static_cast<ClickableLabel*>(label);
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

void ControlsPage::showModel() {
    const QSignalBlocker blockCB23(CB23), blockCB25(CB25);
    for (int i = 0; i < kControllerLabelCount; ++i) assignable[i]->setText(QString::fromStdString(model.state.captions[i]));
    CB23->setCurrentIndex(model.playerIndex());
    CB25->setChecked(model.state.useMM);
    E4->setEnabled(model.capturing);
    if (shownCaptions != model.captionsSet) {
        shownCaptions = model.captionsSet;
        form->setWindowTitle(tr2(windowCaption(model.capturing)));
    }
    GB6->setTitle(tr2(model.groupCaption));
}

void ControlsPage::LoadControllerConfig() {
    update([&] { model.LoadControllerConfig(); });
}

void ControlsPage::SaveControllerConfig() {
    model.SaveControllerConfig();
}

void ControlsPage::L27DblClick(QLabel* sender) {
    const int index = static_cast<int>(std::find(assignable.begin(), assignable.end(), sender) - assignable.begin());
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
