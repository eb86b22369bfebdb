#include "win32/game_info_page.h"

#include "win32/controls_page.h"
#include "win32/general_page.h"
#include "win32/main_window.h"
#include "win32/page_index.h"

#include <commctrl.h>

#include <string_view>

namespace tavrix::win32 {

GameInfoPage::GameInfoPage(PageHost& host, MainWindow& window) : Page(host, &gameInfoPageLayout()), window_(window) {}

GameInfoPage::~GameInfoPage() {
    if (picture_ != nullptr) DeleteObject(picture_);
}

void GameInfoPage::created() {
    // The file list shows each file's mark as a check box.
    HWND files = form_["LV1"];
    ListView_SetExtendedListViewStyle(files, ListView_GetExtendedListViewStyle(files) | LVS_EX_CHECKBOXES);
}

void GameInfoPage::gameSelected(int number) {
    update([&] {
        model.fill(number, window_.generalPage().model.romsDirectory(),
                   [this](const std::string& path) { return loadPicture(path); });
    });
}

void GameInfoPage::clearForEmptyList() {
    update([&] { model.clearForEmptyList(); });
}

void GameInfoPage::showScanned(const GameRecord& game, PathResolver& paths, const GameVerification& verification) {
    update([&] {
        model.showGame(game);
        model.showSnapshot(romsetNameOfArchive(model.mainArchive), paths,
                           [this](const std::string& path) { return loadPicture(path); });
        model.showMarks(verification);
    });
}

// The snapshot as a bitmap file, scaled to the picture control.
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

void GameInfoPage::command(const char* name, int code) {
    if (code != STN_CLICKED) return;
    // Every text and the picture toggle between the snapshot and the romset view.
    const ControlKind kind = form_.layout()[name].kind;
    if (kind == ControlKind::ClickLabel || kind == ControlKind::Picture || kind == ControlKind::Group)
        update([&] { model.L1Click(window_.gameList().rowCount() == 0); });
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
    const std::pair<const char*, const std::string*> lines[] = {
        {"L1", &model.title},       {"L2", &model.makerAndYear},  {"L6", &model.hardware},
        {"L3", &model.mainArchive}, {"L4", &model.biosArchive}, {"L5", &model.parentArchive}};
    for (const auto& [name, text] : lines) form_.setText(name, *text);
    // The launch reads the game's controller plug-in choice from the Controls page's hidden box.
    window_.controlsPage().form().setChecked("CB21", model.vantrelPlugin);
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
    form_.setVisible("GB1", model.romsetShown);
    for (const char* line : {"L12", "L3", "L10", "L4", "L11", "L5"}) form_.setVisible(line, model.romsetShown);
    form_.setVisible("LV1", model.romsetShown);
    form_.setVisible("P1", model.panelShown);
    form_.setVisible("I1", model.panelShown);
}

}  // namespace tavrix::win32
