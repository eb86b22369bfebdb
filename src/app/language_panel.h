#pragma once
// The first-start panel: covers the whole window until the user picks the interface language.
// The panel's state and its OK live in tavrix::StartupModel; this view draws the flags and the
// prompt, forwards the clicks and shows the model's state.
#include "app/captions.h"

#include <QWidget>

class ClickableLabel;
class QPushButton;
class QRadioButton;
class TF1;

namespace tavrix {
struct LanguagePanelModel;
}

class LanguagePanel : public QWidget {
    Q_OBJECT
public:
    LanguagePanel(TF1* form, tavrix::LanguagePanelModel& model);

    ClickableLabel* I4;  // the prompt, drawn as a picture in both languages
    QRadioButton* RB1;   // Korean
    ClickableLabel* I2;  // Korean flag
    QRadioButton* RB2;   // English
    ClickableLabel* I3;  // flag made of the US and UK flags
    QPushButton* B10;    // OK

    void I2Click();
    void I3Click();
    void B10Click();
    // Shows the model's state: the checked language, OK, and whether the panel shows at all.
    void showState();

private:
    void CreateWidgets();
    void ConnectWidgets();

    TF1* form;
    tavrix::LanguagePanelModel& model;
    CaptionBook book;
};
