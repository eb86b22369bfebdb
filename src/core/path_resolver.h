#pragma once
// Finds files and folders named Windows-style in any letter case, as Windows (and the emulator
// under Wine) finds them: a database written on Windows says "AstroLnc" where the disk holds
// "astrolnc.zip", and a rom path typed as ".\Roms" names the folder "roms".
//
// Each component of a path is looked up by its exact spelling first, by one stat, so a path
// spelled as on disk costs no folder listing at all. Only a miss lists the folder, once for the
// resolver's life; in it a name equal without regard to the case of the letters A to Z is taken,
// the exact one when it is there, otherwise the first in byte order.
//
// A resolver is meant for one pass (one romset scan, one fill of the Game Info page): what it
// has found and listed stands until forget(), and the next pass starts afresh. Where the file
// system ignores case by itself (kFileSystemIgnoresCase) names are only looked up as spelled.
//
// One resolver may serve several threads at once (the scan's workers share one): what it keeps
// is guarded by its own lock, held while a folder is listed, never while a caller's code runs;
// a folder found before is looked up under a lock that the threads share.
#include <cstddef>
#include <functional>
#include <shared_mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tavrix {

class PathResolver {
public:
    // Reads the names of a folder at a native path ("" is the current folder); nothing when it
    // cannot be listed.
    using FolderLister = std::function<std::optional<std::vector<std::string>>(const std::string& nativeFolder)>;

    PathResolver();
    explicit PathResolver(FolderLister lister);
    PathResolver(const PathResolver&) = delete;
    PathResolver& operator=(const PathResolver&) = delete;

    // The native path of the file or folder that a Windows-style ("\"-separated) path names, in
    // any letter case; nothing when there is none.
    std::optional<std::string> resolve(const std::string& windowsPath);
    // The same, for a regular file only and for a folder only.
    std::optional<std::string> findFile(const std::string& windowsPath);
    std::optional<std::string> findFolder(const std::string& windowsPath);

    // For a caller that has already found nothing at a native path's exact spelling: the entry
    // that the path names in another letter case, or nothing.
    std::optional<std::string> resolveAfterMiss(const std::string& nativePath);

    // For a pass that looks for many files in few folders, where a look for a file that is not
    // there can cost as much as listing its folder (a system that folds case by reading the
    // whole folder on a miss): false when the folder of `nativePath` (listed on the first ask,
    // once) holds no name that this one's could be in another letter case, true when the file
    // may be there and must be looked at. A name outside ASCII, or a folder that cannot be
    // listed, is always looked at, as the system may fold case beyond A to Z.
    bool mayExist(const std::string& nativePath);

    // Drops what was found and listed, so the next look sees the disk as it is then.
    void forget();

    // Folders listed so far.
    std::size_t foldersListed() const;

private:
    // A listed folder: its names grouped by their case-folded form. A group almost always holds
    // one name; names that differ only in case go to `others`.
    struct Names {
        std::string first;
        std::vector<std::string> others;
    };
    using Folder = std::unordered_map<std::string, Names>;

    // With mutex_ held.
    std::optional<std::string> afterMiss(const std::string& nativePath);
    const Folder* folder(const std::string& nativeFolder);
    std::optional<std::string> resolvedFolder(const std::string& nativeFolder);

    mutable std::shared_mutex mutex_;
    FolderLister lister_;
    std::unordered_map<std::string, std::optional<Folder>> folders_;                // by resolved path
    std::unordered_map<std::string, std::optional<std::string>> resolvedFolders_;  // by spelled path
    std::size_t listed_ = 0;
};

// A name with the letters A to Z turned into a to z.
std::string foldCase(std::string name);

}  // namespace tavrix
