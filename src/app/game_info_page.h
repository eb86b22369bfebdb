#pragma once
// TS1, Game Info: the selected game's titles, its romsets, and either its snapshot or the list
// of its files with a check mark on each file found. The rules are the model's (see
// core/game_info_page_model.h); this view draws it, loads the picture file it names and
// forwards the clicks.
#include "app/page.h"
#include "core/game_info_page_model.h"

class ClickableLabel;
class QGroupBox;
class QTreeWidget;
class QWidget;

class GameInfoPage : public Page {
    Q_OBJECT
public:
    explicit GameInfoPage(TF1* form);

    // Fills the page for game N (see GameInfoPageModel::fill); an archive that cannot be read
    // is thrown as tavrix::Error after the marks found so far are shown.
    void fill(int number);

    // The parts of the fill, for callers that hold the game and its verification already.
    void showGame(const tavrix::GameRecord& game);
    void showSnapshot(const std::string& romsetName, tavrix::PathResolver& paths);
    void showMarks(const tavrix::GameVerification& verification);

    // The game list became empty through the playable-only filter.
    void clearForEmptyList();

    // The marks of LV1, row by row.
    std::vector<bool> marks() const;
    bool hasPicture() const { return model.hasPicture(); }

    // Toggles between the snapshot and the romset view.
    void L1Click();

    ClickableLabel* L1;   // title
    ClickableLabel* L2;   // maker and year
    ClickableLabel* L6;   // hardware
    QGroupBox* GB1;       // the romset lines
    ClickableLabel* L12;  // "main romset:"
    ClickableLabel* L3;   // the main archive
    ClickableLabel* L10;  // "bios romset:"
    ClickableLabel* L4;   // the BIOS archive
    ClickableLabel* L11;  // "parent romset:"
    ClickableLabel* L5;   // the parent archive
    QTreeWidget* LV1;     // the game's files with their marks
    QTreeWidget* LV2;     // the members of the archive listed last; never shown
    QWidget* P1;          // the snapshot panel over GB1 and LV1
    ClickableLabel* I1;   // the snapshot, stretched to 320 x 240

    tavrix::GameInfoPageModel model;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showModel() override;

private:
    void CreateWidgets();
    void ConnectWidgets();
    // Loads a picture file into I1; false when it is no picture the toolkit reads.
    bool loadPicture(const std::string& path);
    void showFiles();

    unsigned filesShown_ = 0;    // the model's filesFilled that LV1 shows
    unsigned membersShown_ = 0;  // the model's membersFilled that LV2 shows
};
