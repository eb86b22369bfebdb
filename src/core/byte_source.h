#pragma once
// Random access to a file's bytes, and the stamp that tells one state of a file from another:
// what the core's file services (native_file.h) hand out and what the archive reader and the
// caches take, with no knowledge of archives.
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace tavrix {

// Random access to the bytes of a file (or of anything read like one).
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Fills `length` bytes from `offset`; false when they cannot all be read.
    virtual bool readAt(std::uint64_t offset, void* buffer, std::size_t length) = 0;
};

// Bytes held in memory (tests, fuzzing).
class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool readAt(std::uint64_t offset, void* buffer, std::size_t length) override {
        if (offset > bytes_.size() || length > bytes_.size() - offset) return false;
        if (length != 0) std::memcpy(buffer, bytes_.data() + offset, length);
        return true;
    }

private:
    std::string_view bytes_;
};

// One state of a file on disk: its size and modification time.
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the regular file at a native path, or nothing when there is none.
std::optional<FileStamp> regularFileStamp(const std::string& nativePath);

}  // namespace tavrix
