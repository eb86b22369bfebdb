#include "core/game_list_model.h"

#include "core/game_database.h"

#include <algorithm>
#include <utility>

namespace tavrix {

namespace {

constexpr int kColumnOfChoice[4] = {GameListModel::kEmulatorOrderColumn, 0, 1, 2};

// Ordinal comparison of the file's bytes in which only a to z fold to upper case; a text that
// is the start of the other comes first.
int compareFolded(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 'a' + 'A');
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace

int GameListModel::LV0Compare(SortKey a, SortKey b) const {
    if (!ascending) std::swap(a, b);
    if (sortColumn == kEmulatorOrderColumn) {
        // The game numbers in numeric order: the text keys would put 100 between 10 and 11.
        return a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
    }
    return compareFolded(a.bytes, b.bytes);
}

bool GameListModel::isVisibleSortColumn(int column) const {
    return column == 0 || (allColumns && (column == 1 || column == 2));
}

void GameListModel::markSortColumn() {
    if (isVisibleSortColumn(sortColumn)) headerImages[sortColumn] = ascending ? kAscendingArrow : kDescendingArrow;
}

int GameListModel::sortChoiceOfColumn() const {
    for (int choice = 0; choice < 4; ++choice)
        if (kColumnOfChoice[choice] == sortColumn) return choice;
    return 1;  // not reached: every sort column has its choice
}

void GameListModel::RG2Click(int index) {
    if (index < 0 || index > 3) return;
    if (isVisibleSortColumn(sortColumn)) headerImages[sortColumn] = -1;
    sortColumn = kColumnOfChoice[index];
    markSortColumn();
}

int GameListModel::LV0ColumnClick(int column) {
    if (isVisibleSortColumn(sortColumn)) headerImages[sortColumn] = -1;
    if (column == sortColumn) ascending = !ascending;
    sortColumn = column;
    markSortColumn();
    return column + 1;
}

void GameListModel::CB27Click() {
    allColumns = !allColumns;
    headerImages[1] = headerImages[2] = -1;
    if (allColumns) markSortColumn();
}

bool GameListModel::keptByPlayableFilter(int status) {
    return status == kStatusPlayable;
}

}  // namespace tavrix
