// The INI cache's file stamps on POSIX systems: device, inode, size and both times from stat.
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

}  // namespace tavrix
