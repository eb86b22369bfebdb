#pragma once
// The Controls page: the inputs of Test and Services and of one player, each shown by its
// display name. A double-click on an input's label waits for a key press or a joystick input
// and assigns it; Save writes tavrix-controller.cfg, Cancel reads it back. The rules are the
// model's; this view draws it and forwards events.
#include "app/page.h"
#include "core/controls_page_model.h"

#include <array>
#include <cstdint>

class ClickableLabel;
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

    // Controls.
    QGroupBox* GB5;
    QLabel* L61;
    QLabel* L62;
    QLabel* L63;
    QLabel* L64;
    ClickableLabel* L33;  // test
    ClickableLabel* L34;  // services
    QLabel* L35;          // snapshot key, fixed
    QLabel* L36;          // FPS key, fixed
    QComboBox* CB23;      // player
    QGroupBox* GB6;
    QLabel* L65;
    QLabel* L66;
    QLabel* L67;
    QLabel* L68;
    QLabel* L69;
    QLabel* L70;
    QLabel* L71;
    QLabel* L72;
    QLabel* L73;
    QLabel* L74;
    QLabel* L75;
    QLabel* L76;
    ClickableLabel* L21;  // buttons 1 to 6
    ClickableLabel* L22;
    ClickableLabel* L23;
    ClickableLabel* L24;
    ClickableLabel* L25;
    ClickableLabel* L26;
    ClickableLabel* L27;  // up, down, left, right
    ClickableLabel* L28;
    ClickableLabel* L29;
    ClickableLabel* L30;
    ClickableLabel* L31;  // coin
    ClickableLabel* L32;  // start
    QCheckBox* CB25;      // joystick interface of the plug-in
    QPushButton* B04;     // Save
    QPushButton* B03;     // Cancel
    QLineEdit* E4;        // invisible receiver of key presses during a capture
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
    // The fourteen assignable labels L21 .. L34, found by name in ascending order.
    std::array<QLabel*, tavrix::kControllerLabelCount> assignableLabels() const;

    int shownCaptions = 0;
    int shownGroupPlayer = 0;
    bool pageShown = false;
};
