#pragma once
// Lists the members of a ZIP archive and the CRC-32 recorded for each, from the archive's
// central directory alone: nothing is extracted or decompressed, so no compression library is
// needed. Only the end-of-central-directory search window and the central directory itself
// are read, and every count, length and offset taken from the file is checked against the
// bytes that are really there before it is used.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrix {

// One member as the central directory records it.
struct ArchiveEntry {
    static constexpr std::uint32_t kDirectoryAttribute = 0x10;

    std::string name;               // the stored name cut after its last "/" or "\", as UTF-8
    std::uint32_t crc32 = 0;
    std::uint32_t externalAttributes = 0;  // low byte: MS-DOS attributes
    bool folderName = false;        // the stored name ends in "/" or "\"

    // The MS-DOS attributes the entry search goes by: the recorded ones, and the directory bit
    // for a name that ends in a separator, since many writers mark folders only that way.
    std::uint32_t searchAttributes() const {
        return (externalAttributes & 0xFF) | (folderName ? kDirectoryAttribute : 0);
    }
    bool isFolder() const { return (searchAttributes() & kDirectoryAttribute) != 0; }
};

// Random access to the bytes of an archive.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Fills `length` bytes from `offset`; false when they cannot all be read.
    virtual bool readAt(std::uint64_t offset, void* buffer, std::size_t length) = 0;
};

// Archive bytes held in memory (tests, fuzzing).
class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool readAt(std::uint64_t offset, void* buffer, std::size_t length) override;

private:
    std::string_view bytes_;
};

// The reader's failure texts.
inline constexpr const char* kArchiveNotFoundMessage =
    "ZF: Archive is damaged. Open failed - Native error: 00048";
inline constexpr const char* kArchiveSizesMessage = "Archive is damaged. Open failed - Native error: 00057";
inline constexpr const char* kStreamReadErrorMessage = "Stream read error";

// The end-of-central-directory record is looked for within this many bytes from the end:
// the fixed 22-byte record plus a comment of up to 65,535 bytes.
inline constexpr std::uint64_t kEndRecordSearchWindow = 65600;

// Reads every central directory entry, in directory order, folder entries included. Archives
// with more than 65,535 members or with 64-bit sizes are read through their Zip64 end record and
// the Zip64 fields of each header. Throws tavrix::Error with one of the messages above when the
// archive is damaged, including when more headers follow the declared count in the directory
// (a count that wrapped past 65,535 with no Zip64 record to give the real one).
std::vector<ArchiveEntry> readZipCentralDirectory(ByteSource& source);

// A stored name as UTF-8: as it is when the UTF-8 flag is set (invalid sequences replaced),
// otherwise decoded from code page 437.
std::string decodeArchiveName(std::string_view bytes, bool utf8Flag);

// The CRC-32 as the database writes signatures: 8 upper-case hexadecimal digits.
std::string crcText(std::uint32_t crc);

// DOS wildcard match as the reader's entry search uses it: "*" any run, "?" one character,
// and "*.*" matches every name, names without a dot included. Letters a to z fold.
bool matchesMask(std::string_view name, std::string_view mask);

// The reader component of the main window: one instance reused for every archive.
// The caller sets the archive path (base directory, "\" and the archive name), asks whether it
// exists, opens it, walks the entries and closes it. Paths are Windows-style as typed by the
// user; they are turned into native paths only when the file system is touched.
class RomsetArchiveReader {
public:
    static constexpr int kDefaultAttributeMask = 47;  // every attribute but directory

    void setBaseDir(std::string baseDir) { baseDir_ = std::move(baseDir); }
    const std::string& baseDir() const { return baseDir_; }

    void setFileName(std::string path) { fileName_ = std::move(path); }
    const std::string& fileName() const { return fileName_; }
    // Base directory, "\" and the archive name.
    std::string pathOf(const std::string& archiveName) const { return baseDir_ + "\\" + archiveName; }

    // True when a file (not a folder) exists at the archive path.
    bool exists() const;

    // Opens the archive path read-only and loads its central directory. On failure throws
    // tavrix::Error ("Cannot open file ..." or one of the damaged-archive messages) and stays
    // closed.
    void open();
    bool isOpen() const { return open_; }

    // The first / next entry matching the mask whose hidden, system, volume and directory
    // attribute bits are all allowed by the attribute mask; nothing when there is none.
    std::optional<ArchiveEntry> findFirst(std::string_view mask = "*.*", int attributeMask = kDefaultAttributeMask);
    std::optional<ArchiveEntry> findNext();

    // Safe when nothing is open.
    void close();

    // The entries of the open archive (all of them, folders included).
    const std::vector<ArchiveEntry>& entries() const { return entries_; }

private:
    bool accepts(const ArchiveEntry& entry) const;

    std::string baseDir_;
    std::string fileName_;
    bool open_ = false;
    std::vector<ArchiveEntry> entries_;
    std::string mask_ = "*.*";
    int attributeMask_ = kDefaultAttributeMask;
    std::size_t cursor_ = 0;
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

// An archive looked for and, when it is there, listed in one go.
struct ArchiveRead {
    bool exists = false;                 // a regular file is at the path
    FileStamp stamp;                     // of the file as it was read
    std::vector<ArchiveEntry> entries;   // its non-directory members
    std::optional<std::string> error;    // the reader's message when it could not be listed
};

// Opens the archive at a native path when a regular file exists there and lists it as
// listArchiveMembers does, taking the stamp from the open file: the existence check, the
// open and the stamp cost one open and one fstat. A failure is returned in `error`, with
// `displayPath` named in a "Cannot open file" message.
ArchiveRead readArchiveIfPresent(const std::string& nativePath, const std::string& displayPath);

// Lists the non-directory members of the archive at a native path, as the reader yields them
// with the mask "*.*" and attribute mask 47. Throws tavrix::Error on failure; `displayPath`
// is the path named in a "Cannot open file" message.
std::vector<ArchiveEntry> listArchiveMembers(const std::string& nativePath, const std::string& displayPath);

}  // namespace tavrix
