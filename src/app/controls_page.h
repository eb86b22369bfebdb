#pragma once
// The Controls page: the inputs of Test and Services and of one player, each shown by its
// display name. A double-click on an input's label waits for a key press or a joystick input
// and assigns it; Save writes tavrix-controller.cfg, Cancel reads it back. The rules are the
// model's; this view draws it and forwards events.
#include "app/page.h"
#include "core/controls_page_model.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TJoystickex;

class ControlsPage : public Page {
    Q_OBJECT
public:
    explicit ControlsPage(TF1* form);

    // Start-up: the display names in the interface language.
    void buildInputNames(bool english);
    const tavrix::InputNameTable& inputNames() const { return model.names; }

    // File to page and page to file.
    void LoadControllerConfig();
    void SaveControllerConfig();

    // Handlers.
    void L27DblClick(QLabel* sender);
    void E4KeyDown(int virtualKey);
    void J1JoyMove(TJoystickex* sender, int xPos, int yPos, uint16_t buttonStatus, bool isCalibrating);
    // A joystick was unplugged: a pending capture ends without an input.
    void J1JoyRemoved(TJoystickex* sender);
    void TS4Show();
    void TS4Hide();
    void CB23Change();
    void B04Click();
    void B03Click();

    // The controls that other parts of the program and the tests reach; the page's layout
    // table names every control (the assignable inputs are L21 .. L34).
    QGroupBox* GB5;
    QComboBox* CB23;   // player
    QGroupBox* GB6;    // the player's inputs
    QCheckBox* CB25;   // joystick interface of the plug-in
    QPushButton* B04;  // Save
    QPushButton* B03;  // Cancel
    QLineEdit* E4;     // invisible receiver of key presses during a capture
    // Never visible: the selected game's Vantrel-plug-in flag, set by the Game Info page and
    // read by the launch.
    QCheckBox* CB21;

    tavrix::ControlsPageModel model;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showModel() override;

private:
    void CreateWidgets();
    void ConnectWidgets();

    // The fourteen assignable labels L21 .. L34 in ascending order.
    std::array<QLabel*, tavrix::kControllerLabelCount> assignable{};
    int shownCaptions = 0;
    int shownGroupPlayer = 0;
    bool pageShown = false;
};
