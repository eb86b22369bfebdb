#include "core/game_list_model.h"

#include "core/game_database.h"
#include "core/ini_document_cache.h"
#include "core/settings.h"
#include "core/text.h"

#include <algorithm>
#include <cstdint>
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

void GameListModel::fill(const IniDocument& document) {
    entries = readGameList(document);
    indexEntries();
}

void GameListModel::fill() {
    fill(*IniDocumentCache::shared().load(kSettingsFileName));
}

void GameListModel::sort() {
    const int column = std::min(sortColumn, 2);
    // Each entry's first eight bytes, folded, as one number: two entries whose numbers differ
    // are in that order (a text that ended counts as zero bytes, which sort first), so only
    // entries that agree there are compared whole. The entries move once, at the end.
    struct Keyed {
        std::uint64_t prefix;
        const GameListRow* row;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(entries.size());
    for (const GameListRow& row : entries) {
        std::uint64_t prefix = 0;
        if (sortColumn == kEmulatorOrderColumn) {
            prefix = static_cast<std::uint64_t>(static_cast<std::int64_t>(row.number)) ^ (1ull << 63);
        } else {
            const std::string_view bytes = sortBytes(row, column);
            for (std::size_t i = 0; i < 8; ++i) {
                auto c = i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
                if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
                prefix = prefix << 8 | c;
            }
        }
        keyed.push_back(Keyed{prefix, &row});
    }
    std::stable_sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
        if (a.prefix != b.prefix) return ascending ? a.prefix < b.prefix : b.prefix < a.prefix;
        return LV0Compare({sortBytes(*a.row, column), a.row->number}, {sortBytes(*b.row, column), b.row->number}) < 0;
    });
    std::vector<GameListRow> sorted;
    sorted.reserve(keyed.size());
    for (const Keyed& key : keyed) sorted.push_back(*key.row);
    entries.assign(std::move(sorted));
    indexEntries();
}

GameListModel::FilterOutcome GameListModel::CB26Click(bool checked) {
    FilterOutcome outcome;
    if (checked) {
        entries.eraseIf([](const GameListRow& entry) { return !keptByPlayableFilter(entry.status); });
        outcome.clearGameInfo = entries.empty();
    } else {
        fill();
        outcome.refilled = true;
    }
    sort();
    outcome.select = firstNumber();
    return outcome;
}

void GameListModel::setStatus(int number, int status) {
    if (number < 0 || number >= static_cast<int>(rowOfNumber_.size())) return;
    const int row = rowOfNumber_[static_cast<std::size_t>(number)];
    if (row >= 0) entries[static_cast<std::size_t>(row)].status = status;
}

int GameListModel::playableCount() const {
    return static_cast<int>(std::count_if(entries.begin(), entries.end(),
                                          [](const GameListRow& entry) { return entry.status == kStatusPlayable; }));
}

std::string GameListModel::countLine(int playable, int total, bool english) {
    if (english) return "Games: " + decimal(playable) + " from " + decimal(total);
    return "보유 게임: " + decimal(playable) + " 중 " + decimal(total);
}

std::string GameListModel::countLine(bool english) const {
    return countLine(playableCount(), static_cast<int>(entries.size()), english);
}

std::string GameListModel::cellText(const GameListRow& entry, int column) {
    return displayText(sortBytes(entry, column));
}

std::string_view GameListModel::sortBytes(const GameListRow& entry, int column) {
    switch (column) {
    case 1: return entry.systemName;
    case 2: return entry.year;
    default: return entry.name;
    }
}

Caption GameListModel::spokenStatus(int status) {
    // The image list holds no status picture at 3, and other numbers show no icon.
    switch (status) {
    case kStatusNoneFound: return {"롬셋 없음", "romset missing"};
    case kStatusFilesMissing: return {"롬셋 불완전", "incomplete romset"};
    case kStatusPlayable: return {"롬셋 완전", "complete romset"};
    case kStatusNeverScanned: return {"검사 안 됨", "not checked"};
    default: return {};
    }
}

void GameListModel::indexEntries() {
    rowOfNumber_.assign(static_cast<std::size_t>(kMaxGameNumber) + 1, -1);
    for (std::size_t row = 0; row < entries.size(); ++row) {
        const int number = entries[row].number;
        if (number >= 0 && number <= kMaxGameNumber) rowOfNumber_[static_cast<std::size_t>(number)] = static_cast<int>(row);
    }
}

}  // namespace tavrix
