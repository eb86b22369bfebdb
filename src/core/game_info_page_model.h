#pragma once
// The Game Info page without its widgets: what its labels and file list show for the selected
// game, which of the two views (snapshot or romset) is in front, and which picture file the
// page shows. Filling the page is the verification of that game (see game_verification.h,
// which decides every mark). A front end draws these values, loads the picture file named
// here, and forwards clicks on the labels, the romset group and the picture.
#include "core/game_database.h"
#include "core/game_verification.h"
#include "core/launch_command.h"
#include "core/page_model.h"

#include <functional>
#include <string>
#include <vector>

namespace tavrix {

class GameInfoPageModel : public PageModel {
public:
    // One row of LV1: the file's name and signature as shown, and its check mark.
    struct FileRow {
        std::string name;
        std::string signature;
        bool found = false;
        bool operator==(const FileRow&) const = default;
    };
    // One row of the hidden LV2: an archive member's name as shown and its CRC-32 text.
    struct MemberRow {
        std::string name;
        std::string signature;
        bool operator==(const MemberRow&) const = default;
    };
    // Tries to load the picture file at `path` (native) into the picture control; true when it
    // holds a picture afterwards. A front end may accept more formats than the bitmaps named.
    using PictureLoader = std::function<bool(const std::string& path)>;

    // The texts are the display forms (UTF-8) of the database's bytes.
    std::string title;         // L1
    std::string makerAndYear;  // L2: maker, three blanks, year
    std::string hardware;      // L6
    std::string mainArchive;   // L3, empty for "none"
    std::string biosArchive;   // L4
    std::string parentArchive; // L5
    bool vantrelPlugin = true; // the game's controller plug-in choice, read by the launch
    std::vector<FileRow> files;      // LV1
    std::vector<MemberRow> members;  // LV2
    std::string picturePath;   // the snapshot file in I1; empty: no picture
    // P1 (with I1) shown. The two views never show together: while the panel shows, GB1 and
    // LV1 are hidden, so nothing of the romset view takes the mouse or the focus under it.
    bool panelShown = false;
    // Counts of the times `files` and `members` were filled anew, so that a front end rebuilds
    // its rows only then (and keeps a row selection while only the view or the marks change).
    unsigned filesFilled = 0;
    unsigned membersFilled = 0;

    GameInfoPageModel();

    // The six lines L1, L2, L6, L3, L4, L5.
    ControlFields fields() override;
    // The selected game's controller plug-in choice.
    void addLaunchInputs(LaunchInputs& inputs) const { inputs.vantrelPlugin = vantrelPlugin; }

    // Fill for game N: the game's keys from tavrix.ini, its snapshot, then the verification of
    // its archives in the romset directory. An archive that cannot be read is thrown as
    // tavrix::Error after the marks found so far are set.
    void fill(int number, const std::string& romsetDirectory, const PictureLoader& loadPicture);

    // The steps of the fill, for callers that hold the game and its verification already.
    void showGame(const GameRecord& game);
    // The snapshot of the romset: the first of its picture files that loads, or none.
    // Snapshot files are found through `paths`, in any letter case.
    void showSnapshot(const std::string& romsetName, PathResolver& paths, const PictureLoader& loadPicture);
    void showMarks(const GameVerification& verification);

    // The source of archive listings; the scan may supply one that reuses listings. The model
    // does not own it; nullptr restores the plain one.
    void setArchiveLister(ArchiveLister* lister);
    ArchiveLister& archiveLister() { return *lister_; }

    // A click on the title, another label, the romset group or the picture: toggles between
    // the snapshot and the romset view. Nothing happens while the game list is empty.
    void L1Click(bool listEmpty);
    // The game list became empty through the playable-only filter: no picture, the empty
    // panel in front, the title lines empty. The romset lines and files stay behind it.
    void clearForEmptyList();

    bool romsetShown() const { return !panelShown; }  // GB1 and LV1 shown
    bool hasPicture() const { return !picturePath.empty(); }
    std::vector<bool> marks() const;

private:
    DirectArchiveLister directLister_;
    ArchiveLister* lister_;
};

}  // namespace tavrix
