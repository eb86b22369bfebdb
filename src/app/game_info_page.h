#pragma once
// TS1, Game Info: the selected game's titles, its romsets, and either its snapshot or the list
// of its files with a check mark on each file found. Filling the page is the verification of
// that game (see core/game_verification.h, which decides every mark).
#include "app/page.h"
#include "core/game_database.h"
#include "core/game_verification.h"

#include <memory>

class ClickableLabel;
class QGroupBox;
class QTreeWidget;
class QWidget;

class GameInfoPage : public Page {
    Q_OBJECT
public:
    explicit GameInfoPage(TF1* form);

    // Fills the page for game N: reads its keys from tavrix.ini, shows them, looks for its
    // snapshot and verifies its archives. An archive that cannot be read is thrown as
    // tavrix::Error after the marks found so far are shown.
    void fill(int number);

    // The parts of the fill, for callers that hold the game and its verification already.
    void showGame(const tavrix::GameRecord& game);
    // Snapshot files are found through `paths`, in any letter case.
    void showSnapshot(const std::string& romsetName, tavrix::PathResolver& paths);
    void showMarks(const tavrix::GameVerification& verification);

    // The source of archive listings; the scan may supply one that reuses listings. The page
    // does not own it; nullptr restores the plain one.
    void setArchiveLister(tavrix::ArchiveLister* lister);
    tavrix::ArchiveLister& archiveLister();

    // The game list became empty through the playable-only filter.
    void clearForEmptyList();

    // The marks of LV1, row by row.
    std::vector<bool> marks() const;
    // The Vantrel-plug-in flag of the game shown (also put into CB21 when it exists).
    bool hasPicture() const;

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

    void applyEnglishCaptions() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateWidgets();
    void ConnectWidgets();
    void showRomsetView();
    void showSnapshotView();

    tavrix::DirectArchiveLister directLister_;
    tavrix::ArchiveLister* lister_ = nullptr;
};
