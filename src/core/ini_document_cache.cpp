#include "core/ini_document_cache.h"

#include <filesystem>

namespace tavrix {

namespace {
// Files are named relative to the working directory, which may change between loads.
std::string keyOf(const std::string& fileName) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(fileName, error);
    return error ? fileName : absolute.string();
}
}  // namespace

std::shared_ptr<const IniDocument> IniDocumentCache::load(const std::string& fileName) {
    const FileStamp stamp = stampOf(fileName);
    const std::string key = keyOf(fileName);
    auto found = entries_.find(key);
    if (found != entries_.end() && found->second.stamp == stamp) return found->second.document;
    // A missing file is not kept: it costs nothing to read again.
    if (!stamp.exists) {
        entries_.erase(key);
        return std::make_shared<const IniDocument>();
    }
    ++parses_;
    auto document = std::make_shared<IniDocument>(IniDocument::load(fileName));
    // The file may have changed while it was read; then the next load reads it again.
    if (stampOf(fileName) == stamp)
        entries_[key] = Entry{stamp, document};
    else
        entries_.erase(key);
    return document;
}

void IniDocumentCache::remember(const std::string& fileName, IniDocument document) {
    const FileStamp stamp = stampOf(fileName);
    const std::string key = keyOf(fileName);
    if (!stamp.exists) {
        entries_.erase(key);
        return;
    }
    entries_[key] = Entry{stamp, std::make_shared<IniDocument>(std::move(document))};
}

IniDocument IniDocumentCache::loadForChange(const std::string& fileName) {
    std::shared_ptr<const IniDocument> current = load(fileName);
    auto found = entries_.find(keyOf(fileName));
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
