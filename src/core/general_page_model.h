#pragma once
// The General Settings page without its widgets: the romset directory, the start-up scan and
// the game list's options, with Save and Cancel (also the page's reload at start-up). The game
// list itself keeps its sort direction; Save takes it and Cancel hands the stored one back.
#include "core/launch_command.h"
#include "core/page_model.h"
#include "core/text.h"

#include <string>

namespace tavrix {

struct GeneralPageModel : PageModel {
    std::string pathText;         // E1, the romset directory as shown
    KeptText storedRomsDirectory; // roms-directory as last loaded
    bool startupScan = false;     // CB24
    bool showFullRomset = false;  // CB26, only playable games when unchecked
    bool showAllColumns = false;  // CB27
    int sortChoice = -1;          // RG2's checked item, -1 for none
    bool ascending = false;       // the stored sort direction, for the list after a reload
    std::string countLine;        // L16, how many of the list's games are playable
    bool rescanEnabled = true;    // B02, off while a scan runs

    ControlFields fields() override;
    ControlStates enabledControls() const override { return {{"B02", rescanEnabled}}; }

    // The romset directory as E1 holds it now: the stored bytes while the text is as loaded.
    std::string romsDirectory() const { return storedRomsDirectory.bytesFor(pathText); }
    // The rom path, as E1 holds it now.
    void addLaunchInputs(LaunchInputs& inputs) const { inputs.romPath = romsDirectory(); }

    // The folder dialog's answer, empty when it was cancelled: a chosen folder replaces E1's
    // text (not saved); true when it did.
    bool B01Click(const std::string& chosenFolder);
    // Save: roms-directory, startup-scan, show-full-romset, show-all-columns and sorting-type,
    // the order the list shows now (its sort column's choice and direction), which is the order
    // the next start restores. The front end then shows Game Info.
    void B07Click(int listSortChoice, bool listAscending) const;
    // Cancel: the values from tavrix.ini in the order the controls take them.
    void B05Click();
};

}  // namespace tavrix
