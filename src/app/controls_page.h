#pragma once
// TS4, Controls: the inputs of Test and Services and of one player, each shown by its display
// name. A double-click on an input's label waits for a key press (in the key receiver E4) or a
// joystick input and assigns it. The rules are the model's (see core/controls_page_model.h).
#include "app/page.h"

class ControlsPage : public Page {
    Q_OBJECT
public:
    ControlsPage(tavrix::PageHost& host, tavrix::ControlsPageModel& model, QWidget* parent);

    // A capture began: the key receiver takes the keys.
    void focusKeyReceiver();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
