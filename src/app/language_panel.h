#pragma once
// The first-start panel: covers the whole window until the user picks the interface language.
#include <QWidget>

class ClickableLabel;
class QPushButton;
class QRadioButton;
class TF1;

class LanguagePanel : public QWidget {
    Q_OBJECT
public:
    explicit LanguagePanel(TF1* form);

    ClickableLabel* I4;  // the prompt, drawn as a picture in both languages
    QRadioButton* RB1;   // Korean
    ClickableLabel* I2;  // Korean flag
    QRadioButton* RB2;   // English
    ClickableLabel* I3;  // flag made of the US and UK flags
    QPushButton* B10;    // OK

    void RB1Click();
    void I2Click();
    void I3Click();
    void B10Click();

private:
    void CreateWidgets();
    void ConnectWidgets();

    TF1* form;
};
