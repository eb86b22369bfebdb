#pragma once
// The first-start language panel over the whole window, built from its table, over the
// language panel model: a radio button with its flag for each language and OK.
#include "core/startup_model.h"
#include "win32/page.h"

#include <vector>

namespace tavrix::win32 {

class LanguagePanel : public Page {
public:
    // `confirm` runs the start-up model's OK (B10).
    LanguagePanel(PageHost& host, StartupModel& startup, std::function<void()> confirm);
    ~LanguagePanel() override;

    // Shows or hides the panel as the model says.
    void showState();

protected:
    void created() override;
    void command(const char* name, int code) override;
    void showModel() override;

private:
    StartupModel& startup_;
    std::function<void()> confirm_;
    std::vector<HBITMAP> pictures_;  // the prompt and the two flags, shown by I4, I2, I3
};

}  // namespace tavrix::win32
