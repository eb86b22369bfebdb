#pragma once
// The General Settings page drawn with the system's controls, over the General page model and
// the game list whose options it holds.
#include "core/general_page_model.h"
#include "win32/page.h"

namespace tavrix::win32 {

class MainWindow;

class GeneralPage : public Page {
public:
    GeneralPage(PageHost& host, MainWindow& window);

    void B01Click();  // the folder dialog for the romset directory
    void B07Click();  // Save, then the Game Info page
    void B05Click();  // Cancel: reloaded from tavrix.ini
    void B02Click();  // rescan the romset directory now; the page stays shown
    // Checks or unchecks CB26; a change runs its handler, as a click does.
    void setPlayableFilter(bool checked);
    // Selects RG2's item `index`; a change runs RG2's handler, as a click does.
    void selectSortChoice(int index);
    void addLaunchInputs(LaunchInputs& inputs) const override;
    // L16: how many of the list's games are playable.
    void showCountLine();

    GeneralPageModel model;

protected:
    void command(const char* name, int code) override;
    // Check boxes and the radio group run their handlers for changes the model makes too.
    void showModel() override;

private:
    void CB26Click();
    void CB27Click();
    void RG2Click(int index);

    MainWindow& window_;
};

}  // namespace tavrix::win32
