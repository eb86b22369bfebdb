#include "core/path_resolver.h"

#include "core/file_io.h"

#include <utility>

namespace tavrix {

namespace {

// "roms/" and "roms//" name the folder "roms"; "/" stays the root.
std::string withoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

}  // namespace

std::string foldCase(std::string name) {
    for (char& c : name)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return name;
}

PathResolver::PathResolver() : lister_(listFolderNames) {}

PathResolver::PathResolver(FolderLister lister) : lister_(std::move(lister)) {}

std::optional<std::string> PathResolver::resolve(const std::string& windowsPath) {
    std::string native = toNativePath(windowsPath);
    if (fileExists(native)) return native;
    return resolveAfterMiss(native);
}

std::optional<std::string> PathResolver::findFile(const std::string& windowsPath) {
    std::string native = toNativePath(windowsPath);
    if (isRegularFile(native)) return native;
    auto other = resolveAfterMiss(native);
    if (other && isRegularFile(*other)) return other;
    return std::nullopt;
}

std::optional<std::string> PathResolver::findFolder(const std::string& windowsPath) {
    const std::string native = withoutTrailingSeparators(toNativePath(windowsPath));
    if (native.empty()) return std::nullopt;
    {
        const std::shared_lock lock(mutex_);
        if (const auto known = resolvedFolders_.find(native); known != resolvedFolders_.end()) return known->second;
    }
    const std::lock_guard lock(mutex_);
    return resolvedFolder(native);
}

std::optional<std::string> PathResolver::resolveAfterMiss(const std::string& nativePath) {
    if constexpr (kFileSystemIgnoresCase) return std::nullopt;
    const std::lock_guard lock(mutex_);
    return afterMiss(nativePath);
}

std::optional<std::string> PathResolver::afterMiss(const std::string& nativePath) {
    if constexpr (kFileSystemIgnoresCase) return std::nullopt;
    const std::string path = withoutTrailingSeparators(nativePath);
    if (path.empty() || path == "/") return std::nullopt;

    const auto slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::optional<std::string> parent;
    if (slash == std::string::npos) parent = std::string();
    else parent = resolvedFolder(withoutTrailingSeparators(path.substr(0, slash == 0 ? 1 : slash)));
    if (!parent) return std::nullopt;
    if (name == "." || name == "..") return join(*parent, name);

    const Folder* names = folder(*parent);
    if (names == nullptr) return std::nullopt;
    const auto group = names->find(foldCase(name));
    if (group == names->end()) return std::nullopt;
    // The exact name when it is there, else the first in byte order.
    const Names& candidates = group->second;
    const std::string* chosen = &candidates.first;
    for (const std::string& other : candidates.others) {
        if (*chosen == name) break;
        if (other == name || other < *chosen) chosen = &other;
    }
    return join(*parent, *chosen);
}

bool PathResolver::mayExist(const std::string& nativePath) {
    const std::string path = withoutTrailingSeparators(nativePath);
    const auto cut = path.find_last_of(kFileSystemIgnoresCase ? "/\\" : "/");
    const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    if (name.empty() || name == "." || name == "..") return true;
    for (const char c : name)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    const std::string parent = cut == std::string::npos ? std::string() : path.substr(0, cut == 0 ? 1 : cut);
    const std::lock_guard lock(mutex_);
    const Folder* names = folder(parent);
    return names == nullptr || names->count(foldCase(name)) != 0;
}

void PathResolver::forget() {
    const std::lock_guard lock(mutex_);
    folders_.clear();
    resolvedFolders_.clear();
}

std::size_t PathResolver::foldersListed() const {
    const std::shared_lock lock(mutex_);
    return listed_;
}

std::optional<std::string> PathResolver::resolvedFolder(const std::string& nativeFolder) {
    if (const auto known = resolvedFolders_.find(nativeFolder); known != resolvedFolders_.end()) return known->second;
    std::optional<std::string> found;
    if (isDirectory(nativeFolder)) {
        found = nativeFolder;
    } else if (auto other = afterMiss(nativeFolder); other && isDirectory(*other)) {
        found = std::move(other);
    }
    resolvedFolders_.emplace(nativeFolder, found);
    return found;
}

const PathResolver::Folder* PathResolver::folder(const std::string& nativeFolder) {
    // "" and "." are both the current folder: one listing serves both.
    const std::string key = nativeFolder == "." ? std::string() : nativeFolder;
    auto known = folders_.find(key);
    if (known == folders_.end()) {
        std::optional<Folder> listed;
        ++listed_;
        if (auto names = lister_(key)) {
            listed.emplace();
            listed->reserve(names->size());
            for (std::string& name : *names) {
                Names& group = (*listed)[foldCase(name)];
                if (group.first.empty()) group.first = std::move(name);
                else group.others.push_back(std::move(name));
            }
        }
        known = folders_.emplace(key, std::move(listed)).first;
    }
    return known->second ? &*known->second : nullptr;
}

}  // namespace tavrix
