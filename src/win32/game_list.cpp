#include "win32/game_list.h"

#include "core/form_layout.h"
#include "core/ini_document_cache.h"
#include "core/settings.h"
#include "core/text.h"
#include "win32/fonts.h"
#include "win32/form.h"

#include <algorithm>
#include <numeric>

namespace tavrix::win32 {

namespace {
constexpr int kImageCount = 5;

// A status for which the image list holds no image shows no icon.
int imageOf(int status) {
    return status >= 0 && status < kImageCount ? status : I_IMAGENONE;
}

// The list view's comparison of two rows (their lParam) by their rank.
int CALLBACK byRank(LPARAM a, LPARAM b, LPARAM ranks) {
    const auto& rank = *reinterpret_cast<const std::vector<LPARAM>*>(ranks);
    return static_cast<int>(rank[static_cast<std::size_t>(a)] - rank[static_cast<std::size_t>(b)]);
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
    byNumber_.clear();
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list_);
    for (std::size_t i = 0; i < model.entries.size(); ++i) {
        const GameListRow& entry = model.entries[i];
        if (byNumber_.size() <= static_cast<std::size_t>(entry.number)) byNumber_.resize(entry.number + 1, 0);
        byNumber_[static_cast<std::size_t>(entry.number)] = i;
        // The texts come from the entries when the list shows them (LVN_GETDISPINFO).
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = static_cast<int>(i);
        item.pszText = LPSTR_TEXTCALLBACKW;
        item.iImage = imageOf(entry.status);
        item.lParam = entry.number;
        SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
}

void GameListView::showOrder() {
    // The list view takes the model's order as each row's rank, so its own sort, whatever its
    // method, keeps the selected row selected.
    std::vector<LPARAM> rank(byNumber_.size(), 0);
    for (std::size_t position = 0; position < model.entries.size(); ++position) {
        byNumber_[static_cast<std::size_t>(model.entries[position].number)] = position;
        rank[static_cast<std::size_t>(model.entries[position].number)] = static_cast<LPARAM>(position);
    }
    ListView_SortItems(list_, byRank, reinterpret_cast<LPARAM>(&rank));
    const int selected = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
    if (selected >= 0) ListView_EnsureVisible(list_, selected, FALSE);
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
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = position;
    item.iImage = imageOf(model.entries[static_cast<std::size_t>(position)].status);
    SendMessageW(list_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

int GameListView::rowCount() const {
    return ListView_GetItemCount(list_);
}

int GameListView::numberAt(int position) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = position;
    if (!SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return static_cast<int>(item.lParam);
}

int GameListView::imageAt(int position) const {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = position;
    SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

bool GameListView::notify(NMHDR* header) {
    if (header->code == LVN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
        if ((info->item.mask & LVIF_TEXT) == 0 || info->item.cchTextMax <= 0) return true;
        const auto number = static_cast<std::size_t>(info->item.lParam);
        const std::wstring text = number < byNumber_.size()
                                      ? wide(GameListModel::cellText(model.entries[byNumber_[number]], info->item.iSubItem))
                                      : std::wstring();
        lstrcpynW(info->item.pszText, text.c_str(), info->item.cchTextMax);
        return true;
    }
    return false;
}

int GameListView::selectedNumber() const {
    const int selected = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
    return selected < 0 ? 0 : numberAt(selected);
}

}  // namespace tavrix::win32
