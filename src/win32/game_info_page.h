#pragma once
// The Game Info page drawn with the system's controls, over the Game Info page model: the
// selected game's lines, its files with their check marks, or its snapshot.
#include "win32/page.h"

namespace tavrix::win32 {

class GameInfoPage : public Page {
public:
    GameInfoPage(PageHost& host, GameInfoPageModel& model);
    ~GameInfoPage() override;

    // The snapshot as a bitmap file, scaled to the picture control; false when none loads.
    bool loadPicture(const std::string& path);

protected:
    void created() override;
    void showModel() override;
    // A click on the romset group itself, which lets clicks through to the page; the file
    // list's marks, which only the model changes.
    bool message(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void showRows(const char* list, const std::vector<std::pair<std::string, std::string>>& rows);

    GameInfoPageModel& model;
    HBITMAP picture_ = nullptr;
    unsigned filesShown_ = 0;
    unsigned membersShown_ = 0;
};

}  // namespace tavrix::win32
