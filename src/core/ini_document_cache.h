#pragma once
// Keeps the parsed form of an INI file and hands it out again while the file on disk is the
// same: same size, same modification and change times, same file (device and inode). A file
// replaced by a rename or rewritten in place therefore reads afresh, so every reader still
// sees the file as it is on disk, but a large game database is parsed once instead of once
// per reader.
#include "core/ini_document.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace tavrix {

class IniDocumentCache {
public:
    // The parsed file; an empty document when it does not exist or cannot be read (as
    // IniDocument::load). The document is shared: copy it to change it.
    std::shared_ptr<const IniDocument> load(const std::string& fileName);

    // The parsed file, to be changed and saved: taken out of the cache without a copy when
    // nobody else holds it (the cache then forgets the file), copied otherwise.
    IniDocument loadForChange(const std::string& fileName);

    // Records `document` as the content of `fileName`, right after it has been saved from it,
    // so the next load needs no parse.
    void remember(const std::string& fileName, IniDocument document);

    void clear() { entries_.clear(); }
    // How many times a file was actually parsed.
    std::size_t parseCount() const { return parses_; }

    // The one cache of the process (the GUI thread's).
    static IniDocumentCache& shared();

    // What identifies one state of a file on disk.
    struct FileStamp {
        bool exists = false;
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::uint64_t size = 0;
        std::int64_t modifiedSeconds = 0;
        std::int64_t modifiedNanoseconds = 0;
        std::int64_t changedSeconds = 0;
        std::int64_t changedNanoseconds = 0;
        bool operator==(const FileStamp&) const = default;
    };
    static FileStamp stampOf(const std::string& fileName);

private:
    struct Entry {
        FileStamp stamp;
        std::shared_ptr<IniDocument> document;
    };
    std::map<std::string, Entry> entries_;
    std::size_t parses_ = 0;
};

}  // namespace tavrix
