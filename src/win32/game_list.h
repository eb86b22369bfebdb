#pragma once
// The game list LV0 drawn with the system's list view as a virtual list: the list view holds
// no row of its own and asks for each row's texts and status image as it draws it, so a list
// of the largest catalogue costs no item per game. A view of the window model's game list: its
// rows in the model's order, its columns and header arrows.
#include "core/game_database.h"
#include "core/game_list_model.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

namespace tavrix::win32 {

class GameListView {
public:
    explicit GameListView(const GameListModel& model) : model(model) {}

    // `list` is the report list view built from the main window's table, made with
    // LVS_OWNERDATA.
    void attach(HWND list, HIMAGELIST images);

    // The model's entries as they stand, none selected.
    void showEntries();
    // The rows in the model's order; the selected row stays selected.
    void showOrder();
    // The arrow on each visible column's header, as the model says.
    void showHeaderImages();
    // The Hardware and Year columns come or go with the model's choice.
    void showColumns(bool english);
    // Selects the row at `position` without the selection's handler; selectingQuietly() is
    // true while the list reports that change.
    void selectQuietly(int position);
    bool selectingQuietly() const { return quiet_; }
    // The row at `position` shows the image of its entry's status.
    void showStatus(int position);

    // The list's notifications to its parent that it answers itself: each row's texts and
    // image as the list draws it, and the row whose title begins with what the user typed in
    // the list (-1 for none). True when handled, with the answer in `result`.
    bool notify(NMHDR* header, LRESULT& result);
    // The row that a selection notification made the selected one, or -1.
    int newlySelected(const NMHDR* header) const;

    // The game number of the selected row, or 0.
    int selectedNumber() const;
    int rowCount() const;
    // The game number of the row shown at `position`, and the status image the list shows there.
    int numberAt(int position) const;
    int imageAt(int position) const;

private:
    int findTitle(const LVFINDINFOW& find, int start) const;
    // What a row shows besides its texts: its game and the status of its image.
    struct Row {
        int number;
        int status;
    };

    const GameListModel& model;
    HWND list_ = nullptr;
    bool quiet_ = false;
    std::vector<Row> rows_;
};

}  // namespace tavrix::win32
