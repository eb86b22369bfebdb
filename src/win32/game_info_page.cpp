#include "win32/game_info_page.h"

#include <commctrl.h>
#include <windowsx.h>

namespace tavrix::win32 {

GameInfoPage::GameInfoPage(PageHost& host, GameInfoPageModel& pageModel)
    : Page(host, kGameInfoPage, pageModel, gameInfoPageLayout()), model(pageModel) {}

GameInfoPage::~GameInfoPage() {
    if (picture_ != nullptr) DeleteObject(picture_);
}

void GameInfoPage::created() {
    // The file list shows each file's mark as a check box.
    HWND files = form_["LV1"];
    ListView_SetExtendedListViewStyle(files, ListView_GetExtendedListViewStyle(files) | LVS_EX_CHECKBOXES);
    // The snapshot panel lies in front of every other control, and its picture in front of it.
    for (const char* name : {"P1", "I1"})
        SetWindowPos(form_[name], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool GameInfoPage::message(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message == WM_NOTIFY) {
        // A click on a mark or Space would change it: refused, unless the page draws the model.
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (change->hdr.hwndFrom != form_["LV1"] || change->hdr.code != LVN_ITEMCHANGING || drawing()) return false;
        result = (change->uChanged & LVIF_STATE) != 0 && ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK) != 0;
        return result != 0;
    }
    if (message != WM_LBUTTONUP || (GetWindowLongW(form_["GB1"], GWL_STYLE) & WS_VISIBLE) == 0) return false;
    const Rect box = form_.placeOf("GB1");
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x < box.x || at.y < box.y || at.x >= box.x + box.width || at.y >= box.y + box.height) return false;
    report("GB1", ControlEvent::Click);
    return true;
}

bool GameInfoPage::loadPicture(const std::string& path) {
    const Rect place = form_.placeOf("I1");
    auto* loaded = static_cast<HBITMAP>(
        LoadImageW(nullptr, wide(path).c_str(), IMAGE_BITMAP, place.width, place.height, LR_LOADFROMFILE));
    if (loaded == nullptr) return false;
    SendMessageW(form_["I1"], STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(loaded));
    if (picture_ != nullptr) DeleteObject(picture_);
    picture_ = loaded;
    return true;
}

void GameInfoPage::showRows(const char* list, const std::vector<std::pair<std::string, std::string>>& rows) {
    HWND control = form_[list];
    ListView_DeleteAllItems(control);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::wstring name = wide(rows[i].first), signature = wide(rows[i].second);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = name.data();
        const int at = static_cast<int>(SendMessageW(control, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        LVITEMW cell{};
        cell.iSubItem = 1;
        cell.pszText = signature.data();
        SendMessageW(control, LVM_SETITEMTEXTW, at, reinterpret_cast<LPARAM>(&cell));
    }
}

void GameInfoPage::showModel() {
    if (filesShown_ != model.filesFilled) {
        filesShown_ = model.filesFilled;
        std::vector<std::pair<std::string, std::string>> rows;
        for (const auto& file : model.files) rows.emplace_back(file.name, file.signature);
        showRows("LV1", rows);
    }
    for (std::size_t row = 0; row < model.files.size(); ++row)
        ListView_SetCheckState(form_["LV1"], static_cast<int>(row), model.files[row].found);
    if (membersShown_ != model.membersFilled) {
        membersShown_ = model.membersFilled;
        std::vector<std::pair<std::string, std::string>> rows;
        for (const auto& member : model.members) rows.emplace_back(member.name, member.signature);
        showRows("LV2", rows);
    }
    if (!model.hasPicture()) SendMessageW(form_["I1"], STM_SETIMAGE, IMAGE_BITMAP, 0);
    // Never both: the views hide each other.
    for (const char* name : {"GB1", "L12", "L3", "L10", "L4", "L11", "L5", "LV1"}) form_.setVisible(name, model.romsetShown());
    form_.setVisible("P1", model.panelShown);
    form_.setVisible("I1", model.panelShown);
}

}  // namespace tavrix::win32
