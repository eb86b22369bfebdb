#pragma once
// Verification of one game: which of its files the romset directory holds. This is the one
// routine that decides a file's check mark; the Game Info page and the romset scan both use it.
//
// The game's archives are looked at in the order main, parent, BIOS. A file counts as found
// when any archive listed so far holds a member with its CRC-32, under any name and in any
// folder. After each archive, disk images (signatures containing "DISK") are looked for as
// plain files beside the archives or in a folder named after the image. An archive that cannot
// be read ends the verification there: the marks set so far stay, the archives after it are not
// listed, and its error is returned for the caller to report.
//
// Paths are joined Windows-style (romset directory, "\", name) as the user types them and
// turned into native paths only when the file system is touched. Archives, disk images,
// snapshots and the romset directory itself are found in any letter case, as Windows finds
// them (see PathResolver); the joined paths keep the database's spelling in every message.
#include "core/error.h"
#include "core/game_database.h"
#include "core/path_resolver.h"
#include "core/romset_archive_reader.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tavrix {

// The non-directory members of one archive, or the error met reading it. The names lie in one
// block, so a scan that holds the listings of tens of thousands of archives stays small.
class ArchiveListing {
public:
    ArchiveListing() = default;
    explicit ArchiveListing(const std::vector<ArchiveEntry>& entries);

    std::size_t size() const { return members_.size(); }
    bool empty() const { return members_.empty(); }
    std::uint32_t crc(std::size_t i) const { return members_[i].crc; }
    std::string_view name(std::size_t i) const;

    std::optional<std::string> error;

private:
    struct Member {
        std::uint32_t crc;
        std::uint32_t nameEnd;  // in names_
    };
    std::vector<Member> members_;
    std::string names_;
};

// Supplies archive listings. The plain lister reads the archive each time; the scan can supply
// one that reuses listings (see CachingArchiveLister).
//
// Each lister finds names in any letter case through its own PathResolver, which also serves
// the verification's other look-ups (the romset directory, disk images, snapshots). Its folder
// listings last as long as the lister's pass: a lister made per scan lists each folder at most
// once in that scan; a caller that keeps a lister across passes calls paths().forget() at the
// start of each.
class ArchiveLister {
public:
    virtual ~ArchiveLister() = default;
    // The listing of the archive at `path` (Windows-style, as joined), or nothing when no file
    // exists there in any letter case.
    virtual std::shared_ptr<const ArchiveListing> list(const std::string& path) = 0;

    PathResolver& paths() { return paths_; }

protected:
    PathResolver paths_;
};

// Reads the central directory on every call.
class DirectArchiveLister : public ArchiveLister {
public:
    std::shared_ptr<const ArchiveListing> list(const std::string& path) override;
};

// Reuses a listing (or its error) while the archive's size and modification time are
// unchanged, so an archive shared by many games is read once. An archive met for the first
// time is opened directly (its existence and stamp come from the open file).
//
// How often a reuse looks at the file again is chosen when the lister is made:
//  - StampCheck::everyUse: each reuse costs one stat of the file, so a change is seen at once
//    (an archive not found as spelled is looked for in a fresh listing of its folder);
//  - StampCheck::once: the stamp taken when the archive was read stands for the lister's whole
//    life, and so does the absence of a file. Meant for one pass over many games (the romset
//    scan), where a lister is made per pass: a file changed on disk is then seen by the next
//    pass, and a reuse costs no system call.
//
// Several threads may list through one lister at once. An archive is read by one of them while
// the others that want it wait for that read, so each archive is still read once. The listings
// are spread over a few shards, each under its own lock, so the threads seldom wait for each
// other's look-ups; no lock is held while a file is read.
class CachingArchiveLister : public ArchiveLister {
public:
    enum class StampCheck { everyUse, once };
    explicit CachingArchiveLister(StampCheck check = StampCheck::everyUse) : check_(check) {}

    std::shared_ptr<const ArchiveListing> list(const std::string& path) override;
    void clear();
    std::size_t readCount() const;  // archives actually read

private:
    struct Cached {
        FileStamp stamp;
        std::shared_ptr<const ArchiveListing> listing;  // null: no file there (StampCheck::once)
        std::string nativePath;                         // where it was found
        bool reading = false;                           // a thread is reading it now
    };
    struct Shard {
        std::mutex mutex;
        std::condition_variable readDone;
        std::unordered_map<std::string, Cached> cache;
    };
    static constexpr std::size_t kShards = 16;
    Shard& shardOf(const std::string& path);
    // Reads the archive at `path` for the cache entry that the caller has marked as reading.
    std::shared_ptr<const ArchiveListing> read(const std::string& path, Shard& shard);

    StampCheck check_;
    std::array<Shard, kShards> shards_;
    std::atomic<std::size_t> reads_{0};
};

// The romset lines of the page: archive names, empty where the database says "none".
struct RomsetArchives {
    std::string main;
    std::string bios;
    std::string parent;
};
RomsetArchives romsetArchivesOf(const GameRecord& game);

// Where a file was found first: in one of the game's archives (main, parent, BIOS, in the order
// they are looked at), or as a disk image beside the archives or in a folder named after it.
enum class FoundIn : std::uint8_t { nowhere, mainArchive, parentArchive, biosArchive, imageBeside, imageInFolder };

struct GameVerification {
    std::vector<bool> marks;                         // one per file entry of the game
    std::vector<FoundIn> foundIn;                    // one per file entry: where its mark came from
    std::optional<std::string> error;                // the archive error that ended it, if any
    std::string failedArchive;                       // the path of that archive, as joined
    std::shared_ptr<const ArchiveListing> lastListing;  // of the archive looked at last; null when not there

    int foundCount() const;
    // The scan's verdict: 2 all found, 1 some missing, 0 all missing (also for no files).
    int status() const;
};

// "\"-joined path of a name in the romset directory.
std::string romsetPath(const std::string& romsetDirectory, const std::string& name);

// The folder that the romset directory as typed (".\Roms", "/home/me/Arcade\roms") names on
// this system: "\" read as a separator and every component found in any letter case, as the
// verification finds it. Nothing for an empty text or when no such folder exists.
std::optional<std::string> resolveRomsetDirectory(const std::string& romsetDirectory, PathResolver& paths);
std::optional<std::string> resolveRomsetDirectory(const std::string& romsetDirectory);

GameVerification verifyGame(const GameRecord& game, const std::string& romsetDirectory, ArchiveLister& lister);

// The Windows-style path where file `row` of the game was found (the archive, or the disk image
// itself), as verifyGame joined it; empty when it was not found.
std::string foundPath(const GameRecord& game, const std::string& romsetDirectory, const GameVerification& verification,
                      std::size_t row);

// The snapshot files of a romset, in the order they are tried, as native paths:
// snap/<romset>/kxd3d001.bmp, then snap/<romset>/kxogl001.bmp. Empty without a romset name.
std::vector<std::string> snapshotCandidates(const std::string& romsetName);

// Those of the snapshot files that exist, found in any letter case, in the same order.
std::vector<std::string> existingSnapshots(const std::string& romsetName, PathResolver& paths);

// The romset name of the page's main archive line: the name without its last four characters.
std::string romsetNameOfArchive(const std::string& archiveName);

}  // namespace tavrix
