#pragma once
// The game list without the list widget: its entries (filled from the game database, cut down
// by the playable-only filter, in their sorted order), what each entry shows, the count line,
// the sort column and direction, the arrow on each column header and the extra columns. A
// front end shows the entries in this order, forwards header clicks and the General page's
// list options, and keeps which entry is selected.
#include "core/form_layout.h"
#include "core/game_database.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

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
    // The entries in the order the list shows them; each carries its game number. The texts
    // are the file's bytes: sorting compares these, the list shows cellText.
    GameListRows entries;

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

    // Fill from the database: one entry per game, 1, 2, ... up to the first game without a
    // name, each with its stored status (4 when never scanned). Game 1 is there even in an
    // empty database. The front end detaches its selection handler, empties the list, shows
    // the entries, attaches the handler again and then shows the count line; the caller sorts
    // afterwards.
    void fill(const IniDocument& document);
    void fill();  // from tavrix.ini

    // Orders the entries under the current sort state; equal entries keep their order. The
    // front end keeps its selected entry selected.
    void sort();

    // What the front end does after CB26 changed, in this order: show the entries, clear the
    // Game Info page when `clearGameInfo`, show the count line when `refilled`, select the
    // entry of game `select` (0: none), which fills the Game Info page, and focus the list.
    struct FilterOutcome {
        bool refilled = false;
        bool clearGameInfo = false;
        int select = 0;
        bool operator==(const FilterOutcome&) const = default;
    };
    // CB26 changed. Checked: only the playable entries stay. Unchecked: the list is filled
    // from tavrix.ini again, which brings back every game with its stored status. Either way
    // the entries are sorted and the first one is to be selected.
    FilterOutcome CB26Click(bool checked);
    // The entry that a fill or the filter leaves selected: the first, or 0 when none is left.
    int firstNumber() const { return entries.empty() ? 0 : entries.front().number; }

    // A scan stored a new status for game `number`.
    void setStatus(int number, int status);
    int playableCount() const;
    // "Games: P from T" in English, else its localized form.
    static std::string countLine(int playable, int total, bool english);
    std::string countLine(bool english) const;

    // The text column 0 (title), 1 (hardware) or 2 (year) of an entry shows.
    static std::string cellText(const GameListRow& entry, int column);
    // The bytes an entry is sorted by in `column` (the emulator order sorts by number).
    static std::string_view sortBytes(const GameListRow& entry, int column);
    // What a screen reader says of a status, which the list shows only as its icon; empty for
    // a status without an icon.
    static Caption spokenStatus(int status);

private:
    void indexEntries();
    std::vector<int> rowOfNumber_;  // the row of each game number, -1 when not listed
};

}  // namespace tavrix
