#pragma once
// The Game Info page drawn with the system's controls, over the Game Info page model: the
// selected game's lines, its files with their check marks, or its snapshot.
#include "core/game_info_page_model.h"
#include "win32/page.h"

namespace tavrix::win32 {

class MainWindow;

class GameInfoPage : public Page {
public:
    GameInfoPage(PageHost& host, MainWindow& window);
    ~GameInfoPage() override;

    void gameSelected(int number) override;
    void clearForEmptyList() override;
    // The game a scan verified last: its lines, its snapshot (found through the scan's
    // look-ups) and the marks of that verification, without verifying it again.
    void showScanned(const GameRecord& game, PathResolver& paths, const GameVerification& verification);

    GameInfoPageModel model;

protected:
    void created() override;
    void command(const char* name, int code) override;
    void showModel() override;

private:
    bool loadPicture(const std::string& path);
    void showRows(const char* list, const std::vector<std::pair<std::string, std::string>>& rows);

    MainWindow& window_;
    HBITMAP picture_ = nullptr;
    unsigned filesShown_ = 0;
    unsigned membersShown_ = 0;
};

}  // namespace tavrix::win32
