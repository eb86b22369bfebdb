#pragma once
// The game list LV0 drawn with the system's list view: a view of the window model's game list,
// its rows with their status images in the model's order, its columns and header arrows.
#include "core/game_database.h"
#include "core/game_list_model.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

namespace tavrix::win32 {

class GameListView {
public:
    explicit GameListView(const GameListModel& model) : model(model) {}

    // `list` is the report list view built from the main window's table.
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

    // The list's notifications to its parent that it answers itself: the texts to show. True
    // when handled.
    bool notify(NMHDR* header);

    // The game number of the selected row, or 0.
    int selectedNumber() const;
    int rowCount() const;
    // The game number and status image of the row shown at `position`.
    int numberAt(int position) const;
    int imageAt(int position) const;

private:
    const GameListModel& model;
    HWND list_ = nullptr;
    bool quiet_ = false;
    std::vector<std::size_t> byNumber_;  // each game number's place in the model's entries
};

}  // namespace tavrix::win32
