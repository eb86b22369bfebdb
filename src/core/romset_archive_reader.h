#pragma once
// Lists the members of a ZIP archive and the CRC-32 recorded for each, from the archive's
// central directory alone: nothing is extracted or decompressed, so no compression library is
// needed. Only the end-of-central-directory search window and the central directory itself
// are read, and every count, length and offset taken from the file is checked against the
// bytes that are really there before it is used.
#include "core/byte_source.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrix {

// One member as the central directory records it.
struct ArchiveEntry {
    static constexpr std::uint32_t kDirectoryAttribute = 0x10;
    static constexpr std::uint8_t kUnixSystem = 3;

    std::string name;               // the stored name cut after its last "/" or "\", as UTF-8
    std::uint32_t crc32 = 0;
    std::uint32_t externalAttributes = 0;  // as recorded; their meaning depends on `madeBy`
    std::uint8_t madeBy = 0;        // the writer's system: the high byte of "version made by"
    // The stored name marks a folder: it ends in "/", or in "\" with no data (in a legacy code
    // page such as Shift-JIS, "\" is also the second byte of many characters).
    bool folderName = false;

    // MS-DOS, Windows (NTFS is numbered 10 by some writers and 11 by others) and VFAT writers
    // record MS-DOS attributes in the low byte. A Unix writer records its file mode in the high
    // 16 bits and may leave anything in the low byte; other systems' attributes are not read.
    bool recordsDosAttributes() const { return madeBy == 0 || madeBy == 10 || madeBy == 11 || madeBy == 14; }
    bool isFolder() const {
        if (folderName) return true;
        if (recordsDosAttributes()) return (externalAttributes & kDirectoryAttribute) != 0;
        if (madeBy == kUnixSystem) return ((externalAttributes >> 16) & 0170000) == 0040000;
        return false;
    }
    // The MS-DOS attributes the entry search goes by: the recorded ones where the writer's
    // system records them, and the directory bit for every folder.
    std::uint32_t searchAttributes() const {
        const std::uint32_t recorded = recordsDosAttributes() ? externalAttributes & 0xFF & ~kDirectoryAttribute : 0;
        return recorded | (isFolder() ? kDirectoryAttribute : 0);
    }
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
// the Zip64 fields of each header.
//
// The end record is looked for in the tail of the file. When the comment or bytes after the
// archive hold more than one record, each is tried in turn (first those whose comment reaches
// the end of the file, then the others, each nearest the end first) until one gives a whole and
// consistent directory; then, as another tool finds an archive with data before it (a
// self-extractor's stub with the offsets left as they were), each directory is looked for where
// its end record says it ends. Headers that follow the declared count within the directory are
// listed when their number is the count that wrapped past 65,535 (a 16-bit count with no Zip64
// record). Throws tavrix::Error with one of the messages above when none checks out: the
// message of the record nearest the end whose comment reaches the end (else nearest the end).
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
