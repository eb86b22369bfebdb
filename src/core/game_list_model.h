#pragma once
// The game list's sort state and options without the list widget: the sort column and
// direction, the arrow on each column header, the extra columns, the order of two entries and
// which entries the playable-only filter keeps. A front end holds the entries, asks here how
// to order and mark them, and forwards header clicks and the General page's list options.
#include <array>
#include <string_view>

namespace tavrix {

struct GameListModel {
    // Sort columns: 0 the title, 1 the hardware, 2 the year, 3 the emulator order.
    static constexpr int kEmulatorOrderColumn = 3;
    // Header images: the arrows of the image list, -1 for none.
    static constexpr int kDescendingArrow = 3;
    static constexpr int kAscendingArrow = 4;

    int sortColumn = 0;
    bool ascending = false;
    bool allColumns = false;                      // the Hardware and Year columns are shown
    std::array<int, 3> headerImages{-1, -1, -1};  // the arrow on each column's header

    // What one entry is sorted by: the file's bytes of the sort column, and the game number.
    struct SortKey {
        std::string_view bytes;
        int number = 0;
    };
    // <0, 0 or >0: A before B, equal, B before A, under the current sort state.
    int LV0Compare(SortKey a, SortKey b) const;

    // Only the sort columns that the list shows carry an arrow; the emulator order never does.
    bool isVisibleSortColumn(int column) const;
    // Puts the arrow for the current direction on the sort column when it is visible.
    void markSortColumn();
    // The RG2 item that sorts by the current sort column (0 to 3).
    int sortChoiceOfColumn() const;

    // RG2 now shows `index` (0 emulator order, 1 title, 2 hardware, 3 year). The front end
    // then sorts the list.
    void RG2Click(int index);
    // A header click: returns the RG2 item the front end selects (running RG2Click when that
    // changes the choice) before it sorts the list.
    int LV0ColumnClick(int column);
    // CB27 changed: the extra columns come or go with their arrows; the front end adds or
    // removes them and sets the window's width.
    void CB27Click();

    // The playable-only filter keeps an entry of this status.
    static bool keptByPlayableFilter(int status);
};

}  // namespace tavrix
