#pragma once
// The first-start panel P2: covers the whole window until the user picks the interface
// language. Its state and its OK live in tavrix::StartupModel; this view draws the prompt and
// the two flags and shows or hides itself as the model says.
#include "app/page.h"

class LanguagePanel : public Page {
    Q_OBJECT
public:
    LanguagePanel(tavrix::PageHost& host, tavrix::LanguagePanelModel& model, QWidget* parent);

protected:
    void showModel() override;

private:
    tavrix::LanguagePanelModel& model;
};
