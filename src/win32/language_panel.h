#pragma once
// The first-start language panel over the whole window, built from its table, over the
// language panel model: a radio button with its flag for each language and OK.
#include "win32/page.h"

#include <vector>

namespace tavrix::win32 {

class LanguagePanel : public Page {
public:
    LanguagePanel(PageHost& host, LanguagePanelModel& model);
    ~LanguagePanel() override;

protected:
    void created() override;
    // Shows or hides the panel as the model says.
    void showModel() override;

private:
    LanguagePanelModel& model;
    std::vector<HBITMAP> pictures_;  // the prompt and the two flags, shown by I4, I2, I3
};

}  // namespace tavrix::win32
