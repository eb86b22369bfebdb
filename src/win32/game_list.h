#pragma once
// The game list LV0 drawn with the system's list view: the rows of the game database with
// their status images, ordered and marked by the game list model.
#include "core/game_database.h"
#include "core/game_list_model.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

namespace tavrix::win32 {

class GameListView {
public:
    // `list` is the report list view built from the main window's table.
    void attach(HWND list, HIMAGELIST images);

    // The model's entries from tavrix.ini, shown in file order; the caller sorts afterwards.
    void fill();
    // The model's entries as they stand, none selected.
    void showEntries();
    // The model orders its entries; the list follows, and the selected row stays selected.
    void sort();
    // The arrow on each visible column's header, as the model says.
    void showHeaderImages();
    void markSortColumn();
    // The Hardware and Year columns come or go with the model's choice.
    void showColumns(bool english);
    void selectFirst();
    // Selects the row at `position` without the selection's handler (the scan fills the Game
    // Info page itself); selectingQuietly() is true while the list reports that change.
    void selectQuietly(int position);
    bool selectingQuietly() const { return quiet_; }
    // A scan found this status for the row at `position`: the model keeps it, the row shows
    // its image.
    void setStatus(int position, int status);
    // RG2 now shows `index`: the model's sort state, the arrows, the order.
    void RG2Click(int index);
    // The playable-only filter as the model applies it, shown; the caller does the rest the
    // outcome asks for.
    GameListModel::FilterOutcome CB26Click(bool playableOnly);

    // The list's notifications to its parent that it answers itself: the texts to show. True
    // when handled.
    bool notify(NMHDR* header);

    // The game number of the selected row, or 0.
    int selectedNumber() const;
    int rowCount() const;
    // The game number and status image of the row shown at `position`.
    int numberAt(int position) const;
    int imageAt(int position) const;
    std::string textAt(int position, int column) const;

    GameListModel model;

private:
    HWND list_ = nullptr;
    bool quiet_ = false;
    std::vector<std::size_t> byNumber_;  // each game number's place in the model's entries
};

}  // namespace tavrix::win32
