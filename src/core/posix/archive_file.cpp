// Archive files and file stamps on POSIX systems: pread on a descriptor, stat for stamps.
#include "core/error.h"
#include "core/native_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tavrix {

namespace {

// Reads a file through pread; owns the descriptor.
class FileByteSource : public ByteSource {
public:
    FileByteSource(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
    ~FileByteSource() override { ::close(fd_); }
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    std::uint64_t size() const override { return size_; }
    bool readAt(std::uint64_t offset, void* buffer, std::size_t length) override {
        if (offset > size_ || length > size_ - offset) return false;
        auto* out = static_cast<char*>(buffer);
        while (length > 0) {
            const ssize_t got = ::pread(fd_, out, length, static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return false;  // an error, or the file shrank under us
            out += got;
            offset += static_cast<std::uint64_t>(got);
            length -= static_cast<std::size_t>(got);
        }
        return true;
    }

private:
    int fd_;
    std::uint64_t size_;
};

FileStamp stampOf(const struct stat& info) {
    return FileStamp{static_cast<std::uint64_t>(info.st_size), info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
}

}  // namespace

OpenedFile openRegularFile(const std::string& nativePath) {
    OpenedFile file;
    const int fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        file.missing = errno == ENOENT || errno == ENOTDIR;
        file.reason = systemErrorText(errno);
        return file;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        file.reason = systemErrorText(errno);
        ::close(fd);
        return file;
    }
    if (!S_ISREG(info.st_mode)) {
        file.notRegular = true;
        file.reason = systemErrorText(S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
        ::close(fd);
        return file;
    }
    file.stamp = stampOf(info);
    file.source = std::make_unique<FileByteSource>(fd, static_cast<std::uint64_t>(info.st_size));
    return file;
}

std::optional<FileStamp> regularFileStamp(const std::string& nativePath) {
    struct stat info {};
    if (::stat(nativePath.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return stampOf(info);
}

}  // namespace tavrix
