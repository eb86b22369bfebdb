// The INI cache's file stamps on Windows: volume and file index in place of device and inode,
// the last write time as the modification time and the change time of the file's basic
// information as its change time.
#include "core/ini_document_cache.h"
#include "core/windows/file_time.h"
#include "core/windows/windows_text.h"

namespace tavrix {

IniDocumentCache::FileStamp IniDocumentCache::stampOf(const std::string& fileName) {
    FileStamp stamp;
    // No access asked for: only the attributes are read, and folders open too.
    OwnedHandle handle(CreateFileW(widePath(fileName).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle.valid()) return stamp;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle.get(), &info)) return stamp;
    stamp.exists = true;
    stamp.device = info.dwVolumeSerialNumber;
    stamp.inode = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    stamp.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    const UnixTime modified = unixTime(info.ftLastWriteTime);
    stamp.modifiedSeconds = modified.seconds;
    stamp.modifiedNanoseconds = modified.nanoseconds;
    FILE_BASIC_INFO basic{};
    if (GetFileInformationByHandleEx(handle.get(), FileBasicInfo, &basic, sizeof basic)) {
        const UnixTime changed = unixTime(static_cast<std::uint64_t>(basic.ChangeTime.QuadPart));
        stamp.changedSeconds = changed.seconds;
        stamp.changedNanoseconds = changed.nanoseconds;
    }
    return stamp;
}

}  // namespace tavrix
