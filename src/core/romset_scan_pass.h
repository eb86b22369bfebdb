#pragma once
// One romset scan over the games of tavrix.ini: each game verified by verifyGame, its status
// stored as GameStatus in one in-memory copy of the file, and that copy written back once, as a
// whole, at the end. The window's scan and the command-line audit both run it, so they decide
// the same statuses and write the same bytes.
//
// Archive listings are shared between the games of one pass (a BIOS or parent archive is read
// once); each archive's stamp is taken when it is first read, so a pass sees the romset
// directory as it was when the pass met each archive, and the next pass starts afresh.
#include "core/game_database.h"
#include "core/game_verification.h"
#include "core/ini_document.h"

#include <cstddef>
#include <string>

namespace tavrix {

// The romset directory named by the settings: roms-directory, default ".\roms", as typed
// (Windows separators), relative to the working directory that holds tavrix.ini.
std::string romsetDirectoryOf(const IniDocument& document);

// The games a scan covers: the database's run of games, and game 1 even in an empty database
// (the game list always holds it).
int scannedGameCount(const IniDocument& document);

class RomsetScanPass {
public:
    RomsetScanPass(IniDocument& document, std::string romsetDirectory);

    // Verifies game `number` and stores its status (GameVerification::status) in the document.
    // game() is then that game's record, until the next call.
    GameVerification scan(int number);
    const GameRecord& game() const { return *game_; }

    const std::string& romsetDirectory() const { return romsetDirectory_; }
    std::size_t archivesRead() const { return lister_.readCount(); }
    // The pass's name look-ups, shared with whatever else the pass looks for (snapshots).
    PathResolver& paths() { return lister_.paths(); }

    // Writes the document, with every status stored so far, over `fileName` in one whole-file
    // write (see writeFileAtomically).
    void save(const std::string& fileName) const;

private:
    IniDocument& document_;
    std::string romsetDirectory_;
    CachingArchiveLister lister_{CachingArchiveLister::StampCheck::once};
    GameReader reader_;
    const GameRecord* game_ = nullptr;
};

}  // namespace tavrix
