#pragma once
// The Sound page (TS6): sound on or off, the low-pass filter with its cutoff, and one
// additional effect, of which the lite surround takes a multiplier. The launch reads these
// controls as they stand. The rules are the model's; this view draws it and forwards events.
#include "app/page.h"
#include "core/sound_page_model.h"

#include <string>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class UpDown;

class SoundPage : public Page {
    Q_OBJECT
public:
    explicit SoundPage(TF1* form);

    // The selected item of RG1 (0 none, 1 stereo exciter, 2 lite surround), -1 for none.
    int RG1ItemIndex() const;
    void setRG1ItemIndex(int index);

    QGroupBox* GB4;
    QCheckBox* CB1;   // sound emulation on
    QCheckBox* CB19;  // sound filter on
    QLabel* L15;
    QComboBox* CB20;  // cutoff frequency
    QGroupBox* RG1;   // additional effect
    QButtonGroup* RG1Group;
    QRadioButton* RG1Items[3];
    QLabel* ST1;
    QLineEdit* E3;    // lite surround multiplier, free text
    UpDown* UD2;
    QGroupBox* GB8;   // hint about the Game Info page
    QLabel* L89;
    QLabel* L90;
    QLabel* L91;
    QLabel* L92;
    QPushButton* B11;  // Save
    QPushButton* B12;  // Cancel

    void B11Click();
    void B12Click();

    // The multiplier as E3 holds it now: the stored bytes while the text is as loaded.
    std::string multiplier() const { return model.settings().multiplier; }

    tavrix::SoundPageModel model;

protected:
    void showModel() override;

private:
    void CreateWidgets();
    void ConnectWidgets();
};
