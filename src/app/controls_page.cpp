#include "app/controls_page.h"

#include "core/virtual_keys.h"

#include <QKeyEvent>
#include <QLineEdit>

using namespace tavrix;

// The key numbers that core uses are the toolkit's own.
static_assert(toolkit_key::Escape == Qt::Key_Escape && toolkit_key::Enter == Qt::Key_Enter &&
              toolkit_key::Shift == Qt::Key_Shift && toolkit_key::F1 == Qt::Key_F1 &&
              toolkit_key::F24 == Qt::Key_F24 && toolkit_key::Calculator == Qt::Key_Calculator &&
              toolkit_key::AltGr == Qt::Key_AltGr && toolkit_key::Menu == Qt::Key_Menu &&
              toolkit_key::SuperR == Qt::Key_Super_R && toolkit_key::Clear == Qt::Key_Clear &&
              toolkit_key::PageDown == Qt::Key_PageDown && toolkit_key::ScrollLock == Qt::Key_ScrollLock);

ControlsPage::ControlsPage(PageHost& pageHost, ControlsPageModel& model, QWidget* parent)
    : Page(pageHost, kControlsPage, model, controlsPageLayout(), "TS4", parent) {
    auto* receiver = static_cast<QLineEdit*>(control("E4"));
    receiver->setReadOnly(true);
    receiver->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
    receiver->installEventFilter(this);
}

void ControlsPage::focusKeyReceiver() {
    control("E4")->setFocus();
}

bool ControlsPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == control("E4") && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        host.E4KeyDown(windowsVirtualKey(key->key(), key->modifiers().testFlag(Qt::KeypadModifier)));
    }
    return Page::eventFilter(watched, event);  // the key also reaches the edit box
}
