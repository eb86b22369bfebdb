// Archive files and file stamps on Windows: ReadFile at an offset on a shared read handle.
#include "core/error.h"
#include "core/native_file.h"
#include "core/windows/file_time.h"
#include "core/windows/windows_text.h"

namespace tavrix {

namespace {

// Reads a file at given offsets; owns the handle.
class FileByteSource : public ByteSource {
public:
    FileByteSource(HANDLE handle, std::uint64_t size) : handle_(handle), size_(size) {}

    std::uint64_t size() const override { return size_; }
    bool readAt(std::uint64_t offset, void* buffer, std::size_t length) override {
        if (offset > size_ || length > size_ - offset) return false;
        auto* out = static_cast<char*>(buffer);
        while (length > 0) {
            OVERLAPPED at{};
            at.Offset = static_cast<DWORD>(offset);
            at.OffsetHigh = static_cast<DWORD>(offset >> 32);
            const DWORD wanted = length > 0x40000000 ? 0x40000000 : static_cast<DWORD>(length);
            DWORD got = 0;
            // A failure, or nothing read because the file shrank under us.
            if (!ReadFile(handle_.get(), out, wanted, &got, &at) || got == 0) return false;
            out += got;
            offset += got;
            length -= got;
        }
        return true;
    }

private:
    OwnedHandle handle_;
    std::uint64_t size_;
};

FileStamp stampOf(std::uint64_t size, const FILETIME& lastWrite) {
    const UnixTime modified = unixTime(lastWrite);
    return FileStamp{size, modified.seconds, modified.nanoseconds};
}

}  // namespace

OpenedFile openRegularFile(const std::string& nativePath) {
    OpenedFile file;
    const std::wstring path = widePath(nativePath);
    OwnedHandle handle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.valid()) {
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(path.c_str());
        file.missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME;
        file.notRegular = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        file.reason = windowsErrorText(error);
        return file;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle.get(), &info)) {
        file.reason = windowsErrorText(GetLastError());
        return file;
    }
    if (GetFileType(handle.get()) != FILE_TYPE_DISK || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        file.notRegular = true;
        file.reason = windowsErrorText(ERROR_INVALID_FUNCTION);
        return file;
    }
    const std::uint64_t size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    file.stamp = stampOf(size, info.ftLastWriteTime);
    file.source = std::make_unique<FileByteSource>(handle.release(), size);
    return file;
}

std::optional<FileStamp> regularFileStamp(const std::string& nativePath) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(widePath(nativePath).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return std::nullopt;
    const std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return stampOf(size, data.ftLastWriteTime);
}

}  // namespace tavrix
