#include "win32/game_list.h"

#include "core/form_layout.h"
#include "core/text.h"
#include "win32/fonts.h"
#include "win32/form.h"

#include <algorithm>

namespace tavrix::win32 {

namespace {
constexpr int kImageCount = 5;

// A status for which the image list holds no image shows no icon.
int imageOf(int status) {
    return status >= 0 && status < kImageCount ? status : I_IMAGENONE;
}
}  // namespace

void GameListView::attach(HWND list, HIMAGELIST images) {
    list_ = list;
    ListView_SetImageList(list_, images, LVSIL_SMALL);
    Header_SetImageList(ListView_GetHeader(list_), images);
    // The list starts with the title column only.
    while (Header_GetItemCount(ListView_GetHeader(list_)) > 1) ListView_DeleteColumn(list_, 1);
}

void GameListView::showEntries() {
    quiet_ = true;
    ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    quiet_ = false;
    rows_.clear();
    rows_.reserve(model.entries.size());
    for (const GameListRow& entry : model.entries) rows_.push_back({entry.number, entry.status});
    ListView_SetItemCountEx(list_, static_cast<int>(rows_.size()), 0);
    if (!rows_.empty()) ListView_EnsureVisible(list_, 0, FALSE);
    InvalidateRect(list_, nullptr, TRUE);
}

void GameListView::showOrder() {
    if (model.entries.size() != rows_.size()) {
        showEntries();
        return;
    }
    // The selected and the focused row move with their games.
    const int selected = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
    const int focused = ListView_GetNextItem(list_, -1, LVNI_FOCUSED);
    const int selectedNumber = selected >= 0 ? rows_[static_cast<std::size_t>(selected)].number : 0;
    const int focusedNumber = focused >= 0 ? rows_[static_cast<std::size_t>(focused)].number : 0;
    int newSelected = -1, newFocused = -1;
    for (std::size_t position = 0; position < model.entries.size(); ++position) {
        const GameListRow& entry = model.entries[position];
        rows_[position] = {entry.number, entry.status};
        if (selected >= 0 && entry.number == selectedNumber) newSelected = static_cast<int>(position);
        if (focused >= 0 && entry.number == focusedNumber) newFocused = static_cast<int>(position);
    }
    quiet_ = true;
    ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (newFocused >= 0) ListView_SetItemState(list_, newFocused, LVIS_FOCUSED, LVIS_FOCUSED);
    if (newSelected >= 0) ListView_SetItemState(list_, newSelected, LVIS_SELECTED, LVIS_SELECTED);
    quiet_ = false;
    InvalidateRect(list_, nullptr, TRUE);
    if (newSelected >= 0) ListView_EnsureVisible(list_, newSelected, FALSE);
}

void GameListView::showHeaderImages() {
    HWND header = ListView_GetHeader(list_);
    for (int column = 0; column < Header_GetItemCount(header); ++column) {
        const int image = model.headerImages[static_cast<std::size_t>(column)];
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
        item.mask = HDI_FORMAT | HDI_IMAGE;
        item.fmt = image >= 0 ? (item.fmt | HDF_IMAGE) : (item.fmt & ~HDF_IMAGE);
        item.iImage = image;
        SendMessageW(header, HDM_SETITEMW, column, reinterpret_cast<LPARAM>(&item));
    }
}

void GameListView::showColumns(bool english) {
    const ControlRow& desc = mainWindowLayout()["LV0"];
    HWND header = ListView_GetHeader(list_);
    const int wanted = model.allColumns ? 3 : 1;
    while (Header_GetItemCount(header) > wanted) ListView_DeleteColumn(list_, Header_GetItemCount(header) - 1);
    for (int column = Header_GetItemCount(header); column < wanted; ++column) {
        std::wstring text = wide(desc.items[static_cast<std::size_t>(column)].in(english));
        LVCOLUMNW item{};
        item.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        item.cx = scaledFor(list_, desc.widths[static_cast<std::size_t>(column)]);
        item.iSubItem = column;
        item.pszText = text.data();
        SendMessageW(list_, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&item));
    }
    showHeaderImages();
}

void GameListView::selectQuietly(int position) {
    quiet_ = true;
    ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(list_, position, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list_, position, FALSE);
    quiet_ = false;
}

void GameListView::showStatus(int position) {
    Row& row = rows_.at(static_cast<std::size_t>(position));
    row.status = model.entries[static_cast<std::size_t>(position)].status;
    ListView_RedrawItems(list_, position, position);
}

int GameListView::rowCount() const {
    return ListView_GetItemCount(list_);
}

int GameListView::numberAt(int position) const {
    return position >= 0 && static_cast<std::size_t>(position) < rows_.size()
               ? rows_[static_cast<std::size_t>(position)].number
               : 0;
}

int GameListView::imageAt(int position) const {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = position;
    SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

int GameListView::findTitle(const LVFINDINFOW& find, int start) const {
    // A list of its own rows finds nothing by itself: typing in it asks for the first row from
    // `start` on (round the end when the list asks so) whose title begins with the letters
    // typed, in any letter case.
    if ((find.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find.psz == nullptr) return -1;
    const int typed = lstrlenW(find.psz);
    const int count = static_cast<int>(std::min(rows_.size(), model.entries.size()));
    if (typed == 0 || count == 0) return -1;
    start = start < 0 || start >= count ? 0 : start;
    for (int step = 0; step < count; ++step) {
        const int row = (start + step) % count;
        const std::wstring title = wide(GameListModel::cellText(model.entries[static_cast<std::size_t>(row)], 0));
        if (static_cast<int>(title.size()) < typed) continue;
        if (CompareStringOrdinal(title.c_str(), typed, find.psz, typed, TRUE) == CSTR_EQUAL) return row;
        if ((find.flags & LVFI_WRAP) == 0 && row == count - 1) break;
    }
    return -1;
}

bool GameListView::notify(NMHDR* header, LRESULT& result) {
    if (header->code == LVN_ODFINDITEMW) {
        const auto* find = reinterpret_cast<const NMLVFINDITEMW*>(header);
        result = findTitle(find->lvfi, find->iStart);
        return true;
    }
    if (header->code != LVN_GETDISPINFOW) return false;
    result = 0;
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
    const auto row = static_cast<std::size_t>(item.iItem);
    if (item.iItem < 0 || row >= rows_.size() || row >= model.entries.size()) return true;
    if ((item.mask & LVIF_TEXT) != 0 && item.cchTextMax > 0) {
        const std::wstring text = wide(GameListModel::cellText(model.entries[row], item.iSubItem));
        lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
    }
    if ((item.mask & LVIF_IMAGE) != 0) item.iImage = item.iSubItem == 0 ? imageOf(rows_[row].status) : I_IMAGENONE;
    if ((item.mask & LVIF_PARAM) != 0) item.lParam = rows_[row].number;
    return true;
}

int GameListView::newlySelected(const NMHDR* header) const {
    if (quiet_) return -1;
    if (header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        const bool selected = (change->uChanged & LVIF_STATE) != 0 && (change->uNewState & ~change->uOldState & LVIS_SELECTED) != 0;
        return selected ? change->iItem : -1;
    }
    if (header->code == LVN_ODSTATECHANGED) {
        const auto* change = reinterpret_cast<const NMLVODSTATECHANGE*>(header);
        return (change->uNewState & ~change->uOldState & LVIS_SELECTED) != 0 ? change->iFrom : -1;
    }
    return -1;
}

int GameListView::selectedNumber() const {
    const int selected = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
    return selected < 0 ? 0 : numberAt(selected);
}

}  // namespace tavrix::win32
