#include "core/ini_document_cache.h"

#include <sys/stat.h>

namespace tavrix {

IniDocumentCache::FileStamp IniDocumentCache::stampOf(const std::string& fileName) {
    FileStamp stamp;
    struct stat info {};
    if (::stat(fileName.c_str(), &info) != 0) return stamp;
    stamp.exists = true;
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.modifiedSeconds = info.st_mtim.tv_sec;
    stamp.modifiedNanoseconds = info.st_mtim.tv_nsec;
    stamp.changedSeconds = info.st_ctim.tv_sec;
    stamp.changedNanoseconds = info.st_ctim.tv_nsec;
    return stamp;
}

std::shared_ptr<const IniDocument> IniDocumentCache::load(const std::string& fileName) {
    const FileStamp stamp = stampOf(fileName);
    auto found = entries_.find(fileName);
    if (found != entries_.end() && found->second.stamp == stamp) return found->second.document;
    // A missing file is not kept: it costs nothing to read again.
    if (!stamp.exists) {
        entries_.erase(fileName);
        return std::make_shared<const IniDocument>();
    }
    ++parses_;
    auto document = std::make_shared<IniDocument>(IniDocument::load(fileName));
    // The file may have changed while it was read; then the next load reads it again.
    if (stampOf(fileName) == stamp)
        entries_[fileName] = Entry{stamp, document};
    else
        entries_.erase(fileName);
    return document;
}

void IniDocumentCache::remember(const std::string& fileName, IniDocument document) {
    const FileStamp stamp = stampOf(fileName);
    if (!stamp.exists) {
        entries_.erase(fileName);
        return;
    }
    entries_[fileName] = Entry{stamp, std::make_shared<IniDocument>(std::move(document))};
}

IniDocument IniDocumentCache::loadForChange(const std::string& fileName) {
    std::shared_ptr<const IniDocument> current = load(fileName);
    auto found = entries_.find(fileName);
    if (found == entries_.end() || found->second.document != current) return *current;
    current.reset();
    if (found->second.document.use_count() != 1) return *found->second.document;
    IniDocument document = std::move(*found->second.document);
    entries_.erase(found);
    return document;
}

IniDocumentCache& IniDocumentCache::shared() {
    static IniDocumentCache cache;
    return cache;
}

}  // namespace tavrix
