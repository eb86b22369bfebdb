#include "core/layout/captions.h"
#include "win32/general_page.h"

#include "platform/win32/dialogs.h"
#include "win32/main_window.h"
#include "win32/page_index.h"

#include <string_view>

namespace tavrix::win32 {

GeneralPage::GeneralPage(PageHost& host, MainWindow& window) : Page(host, &generalPageLayout()), window_(window) {
    bind("E1", model.pathText);
    bind("CB24", model.startupScan);
}

void GeneralPage::command(const char* name, int code) {
    if (code != BN_CLICKED) return;
    const std::string_view control = name;
    if (control == "CB26") {
        model.showFullRomset = form_.checked("CB26");
        CB26Click();
    } else if (control == "CB27") {
        model.showAllColumns = form_.checked("CB27");
        CB27Click();
    } else if (control.starts_with("RG2Item")) {
        model.sortChoice = form_.radioIndex("RG2");
        RG2Click(model.sortChoice);
    } else if (control == "B01") {
        B01Click();
    } else if (control == "B07") {
        B07Click();
    } else if (control == "B05") {
        B05Click();
    } else if (control == "B02") {
        B02Click();
    }
}

void GeneralPage::showModel() {
    if (form_.checked("CB26") != model.showFullRomset) {
        form_.setChecked("CB26", model.showFullRomset);
        CB26Click();
    }
    if (form_.checked("CB27") != model.showAllColumns) {
        form_.setChecked("CB27", model.showAllColumns);
        CB27Click();
    }
    selectSortChoice(model.sortChoice);
}

void GeneralPage::selectSortChoice(int index) {
    if (index < 0 || index > 3 || form_.radioIndex("RG2") == index) return;
    form_.setRadioIndex("RG2", index);
    model.sortChoice = index;
    RG2Click(index);
}

void GeneralPage::CB26Click() {
    GameListView& list = window_.gameList();
    const GameListModel::FilterOutcome outcome = list.CB26Click(form_.checked("CB26"));
    if (outcome.clearGameInfo) window_.page(kGameInfoPage).clearForEmptyList();
    if (outcome.refilled) showCountLine();
    if (outcome.select != 0) list.selectFirst();
    SetFocus(window_.form()["LV0"]);
}

void GeneralPage::setPlayableFilter(bool checked) {
    if (form_.checked("CB26") == checked) return;
    form_.setChecked("CB26", checked);
    model.showFullRomset = checked;
    CB26Click();
}

void GeneralPage::B02Click() {
    // The scan reads the path box as it is now, saved or not.
    window_.scanRomsets();
    window_.gameList().selectFirst();
}

void GeneralPage::showCountLine() {
    form_.setText("L16", window_.gameList().model.countLine(english()));
}

void GeneralPage::CB27Click() {
    GameListView& list = window_.gameList();
    list.model.CB27Click();
    list.showColumns(english());
    window_.setClientWidth(list.model.allColumns ? kWideClientWidth : kClientWidth);
}

void GeneralPage::RG2Click(int index) {
    window_.gameList().RG2Click(index);
}

void GeneralPage::B01Click() {
    if (model.B01Click(chooseFolder(GetAncestor(window(), GA_ROOT), folderPrompt().in(english()))))
        form_.setText("E1", model.pathText);
}

void GeneralPage::B07Click() {
    const GameListModel& list = window_.gameList().model;
    model.B07Click(list.sortChoiceOfColumn(), list.ascending);
    host.showPage(kGameInfoPage);
}

void GeneralPage::B05Click() {
    // The choice first: a changed choice re-sorts and re-marks the list under the direction it
    // had; the stored direction is taken afterwards and shows at the next sort.
    update([&] { model.B05Click(); });
    window_.gameList().model.ascending = model.ascending;
}

void GeneralPage::addLaunchInputs(LaunchInputs& inputs) const {
    inputs.romPath = model.romsDirectory();
}

}  // namespace tavrix::win32
