#include "core/game_verification.h"

#include "core/file_io.h"

#include <cstdint>


namespace tavrix {

namespace {

std::shared_ptr<const ArchiveListing> readListing(const std::string& nativePath, const std::string& path) {
    try {
        return std::make_shared<ArchiveListing>(listArchiveMembers(nativePath, path));
    } catch (const Error& error) {
        auto listing = std::make_shared<ArchiveListing>();
        listing->error = error.what();
        return listing;
    }
}

bool isDiskImage(const RomFileEntry& file) {
    return file.signature.find("DISK") != std::string::npos;
}

// True when `signature` is the 8-digit upper-case text of some CRC-32, which it then holds.
bool signatureCrc(const std::string& signature, std::uint32_t& crc) {
    if (signature.size() != 8) return false;
    std::uint32_t value = 0;
    for (char c : signature) {
        value <<= 4;
        if (c >= '0' && c <= '9') value |= static_cast<std::uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F') value |= static_cast<std::uint32_t>(c - 'A' + 10);
        else return false;
    }
    crc = value;
    return true;
}

}  // namespace

ArchiveListing::ArchiveListing(const std::vector<ArchiveEntry>& entries) {
    std::size_t size = 0;
    for (const ArchiveEntry& entry : entries) size += entry.name.size();
    names_.reserve(size);
    members_.reserve(entries.size());
    for (const ArchiveEntry& entry : entries) {
        // Names are only shown; past 4 GiB of them (never in a real archive) they stay empty.
        if (entry.name.size() <= UINT32_MAX - names_.size()) names_ += entry.name;
        members_.push_back(Member{entry.crc32, static_cast<std::uint32_t>(names_.size())});
    }
}

std::string_view ArchiveListing::name(std::size_t i) const {
    const std::uint32_t begin = i == 0 ? 0 : members_[i - 1].nameEnd;
    return std::string_view(names_).substr(begin, members_[i].nameEnd - begin);
}

std::shared_ptr<const ArchiveListing> DirectArchiveLister::list(const std::string& path) {
    const auto nativePath = paths_.findFile(path);
    if (!nativePath) return nullptr;
    return readListing(*nativePath, path);
}

CachingArchiveLister::Shard& CachingArchiveLister::shardOf(const std::string& path) {
    return shards_[std::hash<std::string>()(path) % kShards];
}

std::shared_ptr<const ArchiveListing> CachingArchiveLister::list(const std::string& path) {
    Shard& shard = shardOf(path);
    std::unique_lock lock(shard.mutex);
    for (;;) {
        auto found = shard.cache.find(path);
        if (found == shard.cache.end()) break;
        if (found->second.reading) {
            shard.readDone.wait(lock);
            continue;
        }
        if (check_ == StampCheck::once) return found->second.listing;
        // One stat, outside the lock; the entry is looked at again afterwards.
        const Cached known = found->second;
        lock.unlock();
        const auto stamp = regularFileStamp(known.nativePath);
        lock.lock();
        if (stamp && *stamp == known.stamp) return known.listing;
        found = shard.cache.find(path);
        if (found == shard.cache.end() || !found->second.reading) break;
    }
    shard.cache[path].reading = true;
    lock.unlock();
    try {
        return read(path, shard);
    } catch (...) {
        lock.lock();
        shard.cache.erase(path);
        shard.readDone.notify_all();
        throw;
    }
}

std::shared_ptr<const ArchiveListing> CachingArchiveLister::read(const std::string& path, Shard& shard) {
    // The exact spelling first: the open that reads the archive is also the look for it. Where
    // the system folds case itself, a scan's pass looks in the folder's listing first: a look
    // for a missing file there may read the whole folder (Wine does), once per missing archive.
    std::string nativePath = toNativePath(path);
    ArchiveRead read;
    if (!kFileSystemIgnoresCase || check_ == StampCheck::everyUse || paths_.mayExist(nativePath))
        read = readArchiveIfPresent(nativePath, path);
    if (!read.exists) {
        if (check_ == StampCheck::everyUse) paths_.forget();
        if (auto other = paths_.resolveAfterMiss(nativePath)) {
            nativePath = std::move(*other);
            read = readArchiveIfPresent(nativePath, path);
        }
    }
    std::shared_ptr<ArchiveListing> listing;
    if (read.exists) {
        listing = std::make_shared<ArchiveListing>(read.entries);
        listing->error = std::move(read.error);
        ++reads_;
    }
    const std::lock_guard lock(shard.mutex);
    if (!read.exists) {
        if (check_ == StampCheck::once) shard.cache.insert_or_assign(path, Cached{});
        else shard.cache.erase(path);
    } else {
        // Where it was found matters only to a lister that looks at the file again.
        shard.cache.insert_or_assign(path, Cached{read.stamp, listing,
                                                  check_ == StampCheck::everyUse ? std::move(nativePath) : std::string()});
    }
    shard.readDone.notify_all();
    return listing;
}

void CachingArchiveLister::clear() {
    for (Shard& shard : shards_) {
        const std::lock_guard lock(shard.mutex);
        shard.cache.clear();
        shard.readDone.notify_all();
    }
}

std::size_t CachingArchiveLister::readCount() const {
    return reads_;
}

RomsetArchives romsetArchivesOf(const GameRecord& game) {
    return RomsetArchives{archiveNameOf(game.romSetName), archiveNameOf(game.biosName),
                          archiveNameOf(game.parentRomSetName)};
}

int GameVerification::foundCount() const {
    int count = 0;
    for (bool mark : marks) count += mark ? 1 : 0;
    return count;
}

int GameVerification::status() const {
    const int found = foundCount();
    if (found == static_cast<int>(marks.size()) && !marks.empty()) return kStatusPlayable;
    return found == 0 ? kStatusNoneFound : kStatusFilesMissing;
}

std::string romsetPath(const std::string& romsetDirectory, const std::string& name) {
    return romsetDirectory + "\\" + name;
}

std::optional<std::string> resolveRomsetDirectory(const std::string& romsetDirectory, PathResolver& paths) {
    // An empty path box names no directory (rather than the file system root).
    if (romsetDirectory.empty()) return std::nullopt;
    return paths.findFolder(romsetDirectory);
}

std::optional<std::string> resolveRomsetDirectory(const std::string& romsetDirectory) {
    PathResolver paths;
    return resolveRomsetDirectory(romsetDirectory, paths);
}

GameVerification verifyGame(const GameRecord& game, const std::string& romsetDirectory, ArchiveLister& lister) {
    GameVerification result;
    result.marks.assign(game.files.size(), false);
    result.foundIn.assign(game.files.size(), FoundIn::nowhere);
    // No such folder (or an empty path box): no archive and no disk image can be found.
    PathResolver& paths = lister.paths();
    if (!resolveRomsetDirectory(romsetDirectory, paths)) return result;

    // The CRC-32 of each row that can match one (a game has a handful of files, so a plain
    // list searched per archive entry beats a hash table).
    struct RowCrc {
        std::uint32_t crc;
        std::size_t row;
    };
    std::vector<RowCrc> rowCrcs;
    rowCrcs.reserve(game.files.size());
    bool hasDiskImages = false;
    for (std::size_t row = 0; row < game.files.size(); ++row) {
        std::uint32_t crc = 0;
        if (signatureCrc(game.files[row].signature, crc)) rowCrcs.push_back(RowCrc{crc, row});
        hasDiskImages = hasDiskImages || isDiskImage(game.files[row]);
    }

    auto markDiskImages = [&] {
        if (!hasDiskImages) return;
        for (std::size_t row = 0; row < game.files.size(); ++row) {
            const RomFileEntry& file = game.files[row];
            if (result.marks[row] || !isDiskImage(file)) continue;
            const std::string beside = romsetPath(romsetDirectory, file.name);
            const std::string folder = file.name.size() >= 4 ? file.name.substr(0, file.name.size() - 4) : std::string();
            const std::string inFolder = romsetPath(romsetDirectory, folder + "\\" + file.name);
            if (paths.findFile(beside)) result.foundIn[row] = FoundIn::imageBeside;
            else if (paths.findFile(inFolder)) result.foundIn[row] = FoundIn::imageInFolder;
            else continue;
            result.marks[row] = true;
        }
    };

    // Main, parent, BIOS. The main line may be "none": its path names the directory, not a
    // file, so nothing is listed for it, but disk images are still looked for.
    const std::string* const order[] = {&game.romSetName, &game.parentRomSetName, &game.biosName};
    const FoundIn sources[] = {FoundIn::mainArchive, FoundIn::parentArchive, FoundIn::biosArchive};
    std::string path;
    for (std::size_t step = 0; step < 3; ++step) {
        const std::string& romset = *order[step];
        const bool none = romset == kNone;
        if (none && step > 0) continue;
        // Each archive looked at starts a fresh listing, also one that is not there.
        result.lastListing = nullptr;
        if (!none) {
            // The same text as romsetPath(romsetDirectory, archiveNameOf(romset)), built in place.
            path.assign(romsetDirectory).append(1, '\\').append(romset).append(".zip");
            if (auto listing = lister.list(path)) {
                result.lastListing = listing;
                if (listing->error) {
                    result.error = listing->error;
                    result.failedArchive = path;
                    return result;
                }
                for (std::size_t member = 0; member < listing->size(); ++member)
                    for (const RowCrc& row : rowCrcs)
                        if (row.crc == listing->crc(member) && !result.marks[row.row]) {
                            result.marks[row.row] = true;
                            result.foundIn[row.row] = sources[step];
                        }
            }
        }
        markDiskImages();
    }
    return result;
}

std::string foundPath(const GameRecord& game, const std::string& romsetDirectory, const GameVerification& verification,
                      std::size_t row) {
    if (row >= verification.foundIn.size() || row >= game.files.size()) return {};
    const std::string& name = game.files[row].name;
    switch (verification.foundIn[row]) {
    case FoundIn::nowhere: return {};
    case FoundIn::mainArchive: return romsetPath(romsetDirectory, archiveNameOf(game.romSetName));
    case FoundIn::parentArchive: return romsetPath(romsetDirectory, archiveNameOf(game.parentRomSetName));
    case FoundIn::biosArchive: return romsetPath(romsetDirectory, archiveNameOf(game.biosName));
    case FoundIn::imageBeside: return romsetPath(romsetDirectory, name);
    case FoundIn::imageInFolder:
        return romsetPath(romsetDirectory, (name.size() >= 4 ? name.substr(0, name.size() - 4) : std::string()) + "\\" + name);
    }
    return {};
}

std::string romsetNameOfArchive(const std::string& archiveName) {
    return archiveName.size() >= 4 ? archiveName.substr(0, archiveName.size() - 4) : std::string();
}

std::vector<std::string> snapshotCandidates(const std::string& romsetName) {
    if (romsetName.empty()) return {};
    return {toNativePath("snap\\" + romsetName + "\\kxd3d001.bmp"),
            toNativePath("snap\\" + romsetName + "\\kxogl001.bmp")};
}

std::vector<std::string> existingSnapshots(const std::string& romsetName, PathResolver& paths) {
    std::vector<std::string> found;
    for (const std::string& candidate : snapshotCandidates(romsetName))
        if (auto path = paths.findFile(candidate)) found.push_back(std::move(*path));
    return found;
}

}  // namespace tavrix
