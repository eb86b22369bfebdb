// Any bytes as a romset archive: the central-directory reader must either list entries or
// throw one of its errors, never read outside the bytes, hang or allocate beyond them.
#include "core/error.h"
#include "core/romset_archive_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// A source that refuses reads outside the input and counts what it hands out.
class CheckedSource : public tavrix::ByteSource {
public:
    explicit CheckedSource(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool readAt(std::uint64_t offset, void* buffer, std::size_t length) override {
        if (offset > bytes_.size() || length > bytes_.size() - offset) std::abort();  // the reader must check first
        total += length;
        return memory_.readAt(offset, buffer, length);
    }
    std::uint64_t total = 0;

private:
    std::string_view bytes_;
    tavrix::MemoryByteSource memory_{bytes_};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckedSource source(bytes);
    try {
        const auto entries = tavrix::readZipCentralDirectory(source);
        // Every entry has at least its 46-byte header in the input.
        if (entries.size() * 46 > size) std::abort();
        for (const auto& entry : entries) {
            if (entry.name.find('/') != std::string::npos || entry.name.find('\\') != std::string::npos) std::abort();
            // A name that ends in a separator is a folder, and nothing is left of it after the cut.
            if (entry.folderName && !entry.name.empty()) std::abort();
            (void)tavrix::crcText(entry.crc32);
        }
    } catch (const tavrix::Error& error) {
        const std::string text = error.what();
        if (text != tavrix::kArchiveNotFoundMessage && text != tavrix::kArchiveSizesMessage &&
            text != tavrix::kStreamReadErrorMessage)
            std::abort();
    }
    // The tail window and the first directory, each read once at most, and no more than the
    // file's size again for the other end records and data before the archive.
    if (source.total > 3 * static_cast<std::uint64_t>(size)) std::abort();
    return 0;
}
