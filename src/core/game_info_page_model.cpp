#include "core/game_info_page_model.h"

#include "core/error.h"
#include "core/ini_document_cache.h"
#include "core/settings.h"
#include "core/text.h"

namespace tavrix {

GameInfoPageModel::GameInfoPageModel() : lister_(&directLister_) {}

ControlFields GameInfoPageModel::fields() {
    return {{"L1", nullptr, nullptr, &title},       {"L2", nullptr, nullptr, &makerAndYear},
            {"L6", nullptr, nullptr, &hardware},    {"L3", nullptr, nullptr, &mainArchive},
            {"L4", nullptr, nullptr, &biosArchive}, {"L5", nullptr, nullptr, &parentArchive}};
}

void GameInfoPageModel::setArchiveLister(ArchiveLister* lister) {
    lister_ = lister != nullptr ? lister : &directLister_;
}

void GameInfoPageModel::fill(int number, const std::string& romsetDirectory, const PictureLoader& loadPicture) {
    // Parsed once and reused while tavrix.ini is unchanged on disk.
    const auto document = IniDocumentCache::shared().load(kSettingsFileName);
    const GameRecord game = readGame(*document, number);
    // Each fill sees the folders as they are now, and lists each of them at most once.
    lister_->paths().forget();
    showGame(game);
    // The romset name is the main archive line without its ".zip".
    showSnapshot(romsetNameOfArchive(mainArchive), lister_->paths(), loadPicture);
    const GameVerification verification = verifyGame(game, romsetDirectory, *lister_);
    showMarks(verification);
    if (verification.error) throw Error(*verification.error);
}

void GameInfoPageModel::showGame(const GameRecord& game) {
    title = displayText(game.name);
    makerAndYear = displayText(game.manufacturer) + "   " + displayText(game.year);
    hardware = displayText(game.systemName);
    const RomsetArchives archives = romsetArchivesOf(game);
    mainArchive = displayText(archives.main);
    parentArchive = displayText(archives.parent);
    biosArchive = displayText(archives.bios);
    vantrelPlugin = game.vantrelPlugin;
    // One row per file entry, in key order, none marked yet.
    files.clear();
    ++filesFilled;
    files.reserve(game.files.size());
    for (const RomFileEntry& file : game.files) files.push_back({displayText(file.name), displayText(file.signature)});
}

void GameInfoPageModel::showSnapshot(const std::string& romsetName, PathResolver& paths,
                                     const PictureLoader& loadPicture) {
    // A cheap existence check first: most games of a large catalogue have no snapshot. The
    // first name is tried first whichever renderer is configured.
    for (const std::string& path : existingSnapshots(romsetName, paths)) {
        if (!loadPicture(path)) continue;
        picturePath = path;
        panelShown = true;  // the snapshot view comes to the front
        return;
    }
    picturePath.clear();
    panelShown = false;
}

void GameInfoPageModel::showMarks(const GameVerification& verification) {
    // Marks are only ever set during a fill, never cleared.
    for (std::size_t row = 0; row < files.size() && row < verification.marks.size(); ++row)
        if (verification.marks[row]) files[row].found = true;
    members.clear();
    ++membersFilled;
    if (verification.lastListing) {
        const ArchiveListing& listing = *verification.lastListing;
        members.reserve(listing.size());
        for (std::size_t i = 0; i < listing.size(); ++i) members.push_back({displayText(listing.name(i)), crcText(listing.crc(i))});
    }
}

void GameInfoPageModel::L1Click(bool listEmpty) {
    if (listEmpty) return;
    // Without a picture the romset view stays.
    panelShown = !panelShown && hasPicture();
}

void GameInfoPageModel::clearForEmptyList() {
    picturePath.clear();
    panelShown = true;
    title.clear();
    makerAndYear.clear();
    hardware.clear();
}

std::vector<bool> GameInfoPageModel::marks() const {
    std::vector<bool> result;
    result.reserve(files.size());
    for (const FileRow& file : files) result.push_back(file.found);
    return result;
}

}  // namespace tavrix
