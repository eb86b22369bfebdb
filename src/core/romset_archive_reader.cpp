#include "core/romset_archive_reader.h"

#include "core/error.h"
#include "core/file_io.h"
#include "core/native_file.h"
#include "core/text.h"

#include <cstring>
#include <memory>
#include <optional>

namespace tavrix {

namespace {

constexpr std::uint32_t kEndRecordSignature = 0x06054B50;
constexpr std::uint32_t kCentralHeaderSignature = 0x02014B50;
constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::uint16_t kUtf8NameFlag = 0x0800;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064B50;
constexpr std::uint32_t kZip64EndRecordSignature = 0x06064B50;
constexpr std::size_t kZip64LocatorSize = 20;
constexpr std::size_t kZip64EndRecordSize = 56;  // without its extensible data
constexpr std::uint16_t kZip64ExtraId = 0x0001;

// Little-endian reads from a block whose bounds the caller has checked.
std::uint16_t get16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t get32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint64_t get64(const unsigned char* p) {
    return static_cast<std::uint64_t>(get32(p)) | (static_cast<std::uint64_t>(get32(p + 4)) << 32);
}

[[noreturn]] void throwDamaged() { throw Error(kArchiveNotFoundMessage); }
[[noreturn]] void throwReadError() { throw Error(kStreamReadErrorMessage); }

// Code page 437, characters 0x80 to 0xFF.
constexpr char16_t kCp437High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4,
    0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Thrown inside the reader when the attempts after the first have read all they may.
struct AllowanceSpent {};

// What the attempts at an archive's directory may still read or walk beyond the tail. The first
// attempt is free, as a single reading always was (its directory lies in the file); the attempts
// after it share one file size more, so that however many end records a file holds, no more
// than about three times its size is read and walked.
class Allowance {
public:
    static Allowance unlimited() { return Allowance(); }
    explicit Allowance(std::uint64_t bytes) : limited_(true), left_(bytes) {}
    void charge(std::uint64_t bytes) {
        if (!limited_) return;
        if (bytes > left_) throw AllowanceSpent{};
        left_ -= bytes;
    }

private:
    Allowance() = default;
    bool limited_ = false;
    std::uint64_t left_ = 0;
};

// The tail of the file, read once: the window the end record is searched in, which in most
// archives also holds the central directory.
struct Tail {
    std::uint64_t start = 0;  // the file offset of the first byte
    std::size_t size = 0;
    std::unique_ptr<unsigned char[]> bytes;

    bool holds(std::uint64_t offset, std::uint64_t length) const {
        return offset >= start && offset - start <= size && length <= size - (offset - start);
    }
    const unsigned char* at(std::uint64_t offset) const { return bytes.get() + (offset - start); }
};

Tail readTail(ByteSource& source) {
    const std::uint64_t fileSize = source.size();
    Tail tail;
    tail.size = static_cast<std::size_t>(fileSize < kEndRecordSearchWindow ? fileSize : kEndRecordSearchWindow);
    if (tail.size < kEndRecordSize) throwDamaged();
    tail.start = fileSize - tail.size;
    tail.bytes = std::make_unique_for_overwrite<unsigned char[]>(tail.size);
    if (!source.readAt(tail.start, tail.bytes.get(), tail.size)) throwReadError();
    return tail;
}

// Fills `length` bytes from `offset`, from the tail when it holds them.
void readAt(ByteSource& source, const Tail& tail, std::uint64_t offset, unsigned char* out, std::size_t length,
            Allowance& allowance) {
    allowance.charge(length);
    if (tail.holds(offset, length)) std::memcpy(out, tail.at(offset), length);
    else if (!source.readAt(offset, out, length)) throwReadError();
}

// Walks the central directory: in the tail when it lies there, otherwise through a block of at
// most kBlockSize bytes (more only for one header's variable part, at most 3 x 65,535 bytes),
// so the memory used and the bytes read follow the entries actually checked rather than the
// size the end record declares.
class DirectoryCursor {
public:
    static constexpr std::size_t kBlockSize = 65536;

    // `firstBlock`: how much the first read takes (later reads take kBlockSize).
    DirectoryCursor(ByteSource& source, const Tail& tail, std::uint64_t offset, std::uint64_t size,
                    Allowance& allowance, std::size_t firstBlock)
        : source_(source), allowance_(allowance), next_(offset), end_(offset + size), blockSize_(firstBlock) {
        if (tail.holds(offset, size)) {
            view_ = tail.at(offset);
            viewSize_ = static_cast<std::size_t>(size);
        }
    }

    // The next `length` bytes of the directory, or null when the directory ends before them.
    // The pointer stays valid until the next call. Throws the read error when the source fails.
    const unsigned char* peek(std::size_t length) {
        static const unsigned char kNothing = 0;
        if (length == 0) return &kNothing;
        if (view_ != nullptr) return length <= viewSize_ - used_ ? view_ + used_ : nullptr;
        if (block_.size() - used_ < length) {
            const std::size_t kept = block_.size() - used_;
            if (static_cast<std::uint64_t>(length - kept) > end_ - next_) return nullptr;
            std::uint64_t wanted = length - kept > blockSize_ ? length - kept : blockSize_;
            if (wanted > end_ - next_) wanted = end_ - next_;
            allowance_.charge(wanted);
            blockSize_ = kBlockSize;
            std::vector<unsigned char> block(kept + static_cast<std::size_t>(wanted));
            if (kept != 0) std::memcpy(block.data(), block_.data() + used_, kept);
            if (!source_.readAt(next_, block.data() + kept, static_cast<std::size_t>(wanted))) throwReadError();
            next_ += wanted;
            block_ = std::move(block);
            used_ = 0;
        }
        return block_.data() + used_;
    }
    // The same, and moves past them.
    const unsigned char* take(std::size_t length) {
        const unsigned char* at = peek(length);
        if (at != nullptr) {
            if (view_ != nullptr) allowance_.charge(length);
            used_ += length;
        }
        return at;
    }

private:
    ByteSource& source_;
    Allowance& allowance_;
    std::uint64_t next_;  // file offset of the first byte not yet read
    std::uint64_t end_;   // file offset just past the directory
    std::size_t blockSize_;
    const unsigned char* view_ = nullptr;  // the directory in the tail, when it lies there
    std::size_t viewSize_ = 0;
    std::vector<unsigned char> block_;
    std::size_t used_ = 0;
};

std::unique_ptr<ByteSource> openForReading(const std::string& nativePath, const std::string& displayPath) {
    OpenedFile file = openRegularFile(nativePath);
    if (!file.source) throw cannotOpenFileError(displayPath, file.reason);
    return std::move(file.source);
}

}  // namespace

std::string decodeArchiveName(std::string_view bytes, bool utf8Flag) {
    std::string out;
    out.reserve(bytes.size());
    if (utf8Flag) {
        if (isValidUtf8(bytes)) return std::string(bytes);
        // Keep the valid parts; each byte that starts no valid sequence becomes U+FFFD.
        for (std::size_t i = 0; i < bytes.size();) {
            std::size_t length = 1;
            const auto lead = static_cast<unsigned char>(bytes[i]);
            if (lead >= 0xF0) length = 4;
            else if (lead >= 0xE0) length = 3;
            else if (lead >= 0xC0) length = 2;
            if (length <= bytes.size() - i && isValidUtf8(bytes.substr(i, length)) && (lead < 0x80 || lead >= 0xC0)) {
                out.append(bytes.substr(i, length));
                i += length;
            } else {
                appendUtf8(out, 0xFFFD);
                ++i;
            }
        }
        return out;
    }
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80) out += c;
        else appendUtf8(out, kCp437High[u - 0x80]);
    }
    return out;
}

std::string crcText(std::uint32_t crc) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text(8, '0');
    for (int i = 7; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = digits[crc & 0xF];
        crc >>= 4;
    }
    return text;
}

namespace {
char foldAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
}  // namespace

bool matchesMask(std::string_view name, std::string_view mask) {
    if (mask == "*.*" || mask == "*") return true;
    // Iterative wildcard match with one back-tracking point: linear in practice, never
    // recursive, so a long name cannot exhaust the stack.
    std::size_t n = 0, m = 0, starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || foldAscii(mask[m]) == foldAscii(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

namespace {

// Where the central directory lies and how many headers it holds, as one end record gives it.
struct DirectoryPlace {
    std::uint64_t entryCount = 0;
    std::uint64_t size = 0;
    std::uint64_t offset = 0;
    std::uint64_t endsAt = 0;  // where the directory ends when nothing lies between it and the end records
    bool zip64 = false;        // the count is the Zip64 record's, which cannot have wrapped
};

// The end records in the tail, in the order they are tried: those whose comment reaches exactly
// the end of the file, then the others, each nearest the end first. A match counts only when at
// least 22 bytes of the file remain from it. With `firstOnly` the search stops at the first
// record that reaches the end, which in most archives is the last 22 bytes.
std::vector<std::uint64_t> endRecordsIn(const Tail& tail, bool firstOnly) {
    std::vector<std::uint64_t> reaching, others;
    for (std::size_t at = tail.size - kEndRecordSize + 1; at-- > 0;) {
        const unsigned char* record = tail.bytes.get() + at;
        if (get32(record) != kEndRecordSignature) continue;
        if (at + kEndRecordSize + get16(record + 20) == tail.size) {
            reaching.push_back(tail.start + at);
            if (firstOnly) break;
        } else {
            others.push_back(tail.start + at);
        }
    }
    reaching.insert(reaching.end(), others.begin(), others.end());
    return reaching;
}

// Reads the end record at `recordOffset` (in the tail) and, when a Zip64 locator stands just
// before it, the Zip64 end record: where the locator points or, with `besideLocator`, just before
// the locator, where it lies when data before the archive moved everything from its offsets.
DirectoryPlace readEndRecords(ByteSource& source, const Tail& tail, std::uint64_t recordOffset, bool besideLocator,
                              Allowance& allowance) {
    const unsigned char* record = tail.at(recordOffset);
    const std::uint16_t diskNumber = get16(record + 4);
    const std::uint16_t directoryDisk = get16(record + 6);
    const std::uint16_t entriesOnDisk = get16(record + 8);
    DirectoryPlace place{get16(record + 10), get32(record + 12), get32(record + 16), recordOffset, false};

    // The Zip64 locator, when there is one, takes the 20 bytes just before the end record.
    unsigned char locator[kZip64LocatorSize];
    bool zip64 = false;
    if (recordOffset >= kZip64LocatorSize) {
        readAt(source, tail, recordOffset - kZip64LocatorSize, locator, kZip64LocatorSize, allowance);
        zip64 = get32(locator) == kZip64LocatorSignature;
    }
    if (!zip64) {
        // Split or spanned archives do not occur in a romset directory.
        if (diskNumber != 0 || directoryDisk != 0 || entriesOnDisk != place.entryCount) throwDamaged();
        return place;
    }

    // The Zip64 end record, wholly before the locator, on the one disk. Its counts, size and
    // offset replace the end record's, which may be saturated or wrapped.
    const std::uint64_t locatorOffset = recordOffset - kZip64LocatorSize;
    const std::uint32_t zip64Disk = get32(locator + 4);
    const std::uint32_t diskTotal = get32(locator + 16);
    if (besideLocator && locatorOffset < kZip64EndRecordSize) throwDamaged();
    const std::uint64_t zip64Offset = besideLocator ? locatorOffset - kZip64EndRecordSize : get64(locator + 8);
    if (zip64Disk != 0 || diskTotal > 1 || zip64Offset > locatorOffset || locatorOffset - zip64Offset < kZip64EndRecordSize)
        throwDamaged();
    unsigned char zip64Record[kZip64EndRecordSize];
    readAt(source, tail, zip64Offset, zip64Record, kZip64EndRecordSize, allowance);
    if (get32(zip64Record) != kZip64EndRecordSignature || get64(zip64Record + 4) < kZip64EndRecordSize - 12)
        throwDamaged();
    // The 16-bit disk fields are either real (zero) or saturated in favour of the Zip64 ones.
    if ((diskNumber != 0 && diskNumber != 0xFFFF) || (directoryDisk != 0 && directoryDisk != 0xFFFF)) throwDamaged();
    if (get32(zip64Record + 16) != 0 || get32(zip64Record + 20) != 0 || get64(zip64Record + 24) != get64(zip64Record + 32))
        throwDamaged();
    return DirectoryPlace{get64(zip64Record + 32), get64(zip64Record + 40), get64(zip64Record + 48), zip64Offset, true};
}

// The compressed size from the Zip64 extended-information field of a header's extra field. The
// field holds, in this order, the uncompressed size, the compressed size and the local header
// offset whose 32-bit fields are saturated (then the disk number, unused here). Other extra
// fields are passed over; a walk that runs off the end stops there, as padding may.
std::uint64_t zip64CompressedSize(const unsigned char* extra, std::size_t length, bool uncompressedSaturated,
                                  std::uint32_t compressedSize, bool offsetSaturated) {
    const bool compressedSaturated = compressedSize == 0xFFFFFFFFu;
    std::size_t at = 0;
    while (length - at >= 4) {
        const std::uint16_t id = get16(extra + at);
        const std::size_t dataLength = get16(extra + at + 2);
        at += 4;
        if (dataLength > length - at) {
            if (id == kZip64ExtraId) throwDamaged();
            break;
        }
        if (id == kZip64ExtraId) {
            const std::size_t needed = 8 * (std::size_t{uncompressedSaturated} + compressedSaturated + offsetSaturated);
            if (dataLength < needed) throwDamaged();
            return compressedSaturated ? get64(extra + at + (uncompressedSaturated ? 8 : 0)) : compressedSize;
        }
        at += dataLength;
    }
    return compressedSize;  // no Zip64 field: the recorded value stands
}

// The entries of one directory and the sum of their compressed sizes.
struct Listing {
    std::vector<ArchiveEntry> entries;
    std::uint64_t compressedTotal = 0;  // added up to one past the file's size at most
};

// Reads the directory at `place`. Each header, with its name, extra field and comment, must
// fit in the directory as declared: a directory that ends inside a counted header is a read
// error, a header that is not a central directory header makes the archive damaged.
Listing readDirectory(ByteSource& source, const Tail& tail, const DirectoryPlace& place, Allowance& allowance,
                      std::size_t firstBlock) {
    // The central directory must lie inside the file. It is read as the entries are checked, so
    // a directory that claims far more than it holds (a large file of zeros with a made-up end
    // record) is given up at its first bad header instead of being loaded whole.
    const std::uint64_t fileSize = source.size();
    if (place.offset > fileSize || place.size > fileSize - place.offset) throwReadError();
    DirectoryCursor directory(source, tail, place.offset, place.size, allowance, firstBlock);

    Listing listing;
    const std::uint64_t fitting = place.size / kCentralHeaderSize;
    listing.entries.reserve(static_cast<std::size_t>(place.entryCount < fitting ? place.entryCount : fitting));
    const auto readHeader = [&](bool counted) {
        const unsigned char* header = directory.take(kCentralHeaderSize);
        if (header == nullptr) {
            if (counted) throwReadError();
            throwDamaged();
        }
        if (get32(header) != kCentralHeaderSignature) throwDamaged();
        const std::uint8_t madeBy = header[5];
        const std::uint16_t flags = get16(header + 8);
        const std::uint32_t crc = get32(header + 16);
        const std::uint32_t compressedSize = get32(header + 20);
        const std::uint32_t uncompressedSize = get32(header + 24);
        const std::size_t nameLength = get16(header + 28);
        const std::size_t extraLength = get16(header + 30);
        const std::size_t commentLength = get16(header + 32);
        const std::uint32_t externalAttributes = get32(header + 38);
        const bool offsetSaturated = get32(header + 42) == 0xFFFFFFFFu;
        // `header` is not used past this point: taking the variable part may refill the block.
        const unsigned char* variable = directory.take(nameLength + extraLength + commentLength);
        if (variable == nullptr) {
            if (counted) throwReadError();
            throwDamaged();
        }

        // The name is cut after its last separator. One that ends in "/" names a folder; one
        // that ends in "\" only when it holds no data.
        std::size_t cut = nameLength;
        while (cut > 0 && variable[cut - 1] != '/' && variable[cut - 1] != '\\') --cut;
        const bool folderName =
            nameLength != 0 && cut == nameLength && (variable[cut - 1] == '/' || uncompressedSize == 0);
        const std::string_view baseName(reinterpret_cast<const char*>(variable) + cut, nameLength - cut);
        listing.entries.push_back(ArchiveEntry{decodeArchiveName(baseName, (flags & kUtf8NameFlag) != 0), crc,
                                               externalAttributes, madeBy, folderName});

        const bool uncompressedSaturated = uncompressedSize == 0xFFFFFFFFu;
        std::uint64_t compressed = compressedSize;
        if (compressedSize == 0xFFFFFFFFu || uncompressedSaturated || offsetSaturated)
            compressed = zip64CompressedSize(variable + nameLength, extraLength, uncompressedSaturated, compressedSize,
                                             offsetSaturated);
        if (listing.compressedTotal <= fileSize)
            listing.compressedTotal += compressed <= fileSize ? compressed : fileSize + 1;
    };
    for (std::uint64_t i = 0; i < place.entryCount; ++i) readHeader(true);

    // Headers that follow the count inside the declared directory: a 16-bit count that wrapped
    // past 65,535 with no Zip64 record to give the real one. They are listed when their number
    // is the count modulo 65,536; any other surplus would list members the count denies, or
    // hide them, so the archive is damaged.
    for (const unsigned char* next = directory.peek(4); next != nullptr && get32(next) == kCentralHeaderSignature;
         next = directory.peek(4)) {
        if (place.zip64) throwDamaged();
        readHeader(false);
    }
    if (listing.entries.size() != place.entryCount && listing.entries.size() % 65536 != place.entryCount) throwDamaged();
    return listing;
}

// The attempts after the first end record as written gave no directory: every other record as
// written, then each record's directory looked for where the record says it ends, with the
// difference to its recorded offset taken as data before the archive. The first that gives a
// whole and consistent directory is taken; nothing when none does.
std::optional<Listing> readOtherEndRecords(ByteSource& source, const Tail& tail, std::uint64_t triedRecord) {
    Allowance allowance(source.size());
    const std::vector<std::uint64_t> records = endRecordsIn(tail, false);
    try {
        for (const bool moved : {false, true}) {
            for (const std::uint64_t record : records) {
                if (!moved && record == triedRecord) continue;
                try {
                    DirectoryPlace place = readEndRecords(source, tail, record, moved, allowance);
                    if (moved) {
                        if (place.endsAt < place.size || place.endsAt - place.size <= place.offset) continue;
                        place.offset = place.endsAt - place.size;
                    }
                    return readDirectory(source, tail, place, allowance, kCentralHeaderSize);
                } catch (const Error&) {
                    // Not this one.
                }
            }
        }
    } catch (const AllowanceSpent&) {
        // A file of many end records whose directories each look right for long.
    }
    return std::nullopt;
}

}  // namespace

std::vector<ArchiveEntry> readZipCentralDirectory(ByteSource& source) {
    // 1. The end record: searched backwards in the tail of the file.
    const Tail tail = readTail(source);
    const std::vector<std::uint64_t> records = endRecordsIn(tail, true);
    if (records.empty()) throwDamaged();

    // 2. and 3. Where the directory lies, and its entries. When the record nearest the end
    // whose comment reaches the end (else the one nearest the end) gives no whole and
    // consistent directory, its error stands unless another reading does.
    Listing listing;
    try {
        Allowance unlimited = Allowance::unlimited();
        listing = readDirectory(source, tail, readEndRecords(source, tail, records.front(), false, unlimited), unlimited,
                                DirectoryCursor::kBlockSize);
    } catch (const Error&) {
        std::optional<Listing> other = readOtherEndRecords(source, tail, records.front());
        if (!other) throw;
        listing = std::move(*other);
    }

    // 4. The recorded sizes must fit in the file.
    if (listing.compressedTotal > source.size()) throw Error(kArchiveSizesMessage);
    return std::move(listing.entries);
}

bool RomsetArchiveReader::exists() const {
    return isRegularFile(toNativePath(fileName_));
}

void RomsetArchiveReader::open() {
    close();
    auto source = openForReading(toNativePath(fileName_), fileName_);
    entries_ = readZipCentralDirectory(*source);
    open_ = true;
}

bool RomsetArchiveReader::accepts(const ArchiveEntry& entry) const {
    // Hidden 2, system 4, volume label 8 and directory 16 must be allowed by the mask.
    constexpr std::uint32_t kSearchable = 2 | 4 | 8 | 16;
    const std::uint32_t attributes = entry.searchAttributes();
    if ((attributes & kSearchable & ~static_cast<std::uint32_t>(attributeMask_)) != 0) return false;
    return matchesMask(entry.name, mask_);
}

std::optional<ArchiveEntry> RomsetArchiveReader::findFirst(std::string_view mask, int attributeMask) {
    mask_ = std::string(mask);
    attributeMask_ = attributeMask;
    cursor_ = 0;
    return findNext();
}

std::optional<ArchiveEntry> RomsetArchiveReader::findNext() {
    if (!open_) return std::nullopt;
    while (cursor_ < entries_.size()) {
        const ArchiveEntry& entry = entries_[cursor_++];
        if (accepts(entry)) return entry;
    }
    return std::nullopt;
}

void RomsetArchiveReader::close() {
    open_ = false;
    entries_.clear();
    entries_.shrink_to_fit();
    cursor_ = 0;
}

namespace {

void dropDirectories(std::vector<ArchiveEntry>& entries) {
    std::erase_if(entries, [](const ArchiveEntry& entry) { return entry.isFolder(); });
}

}  // namespace

ArchiveRead readArchiveIfPresent(const std::string& nativePath, const std::string& displayPath) {
    ArchiveRead result;
    OpenedFile file = openRegularFile(nativePath);
    if (!file.source) {
        // No file, or something that is not a file: nothing to list. A file that is there
        // but cannot be opened (no permission) is an error.
        if (file.missing || file.notRegular) return result;
        if (const auto stamp = regularFileStamp(nativePath)) {
            result.exists = true;
            result.stamp = *stamp;
            result.error = cannotOpenFileError(displayPath, file.reason).what();
        }
        return result;
    }
    result.exists = true;
    result.stamp = file.stamp;
    try {
        result.entries = readZipCentralDirectory(*file.source);
        dropDirectories(result.entries);
    } catch (const Error& error) {
        result.entries.clear();
        result.error = error.what();
    }
    return result;
}

std::vector<ArchiveEntry> listArchiveMembers(const std::string& nativePath, const std::string& displayPath) {
    auto source = openForReading(nativePath, displayPath);
    std::vector<ArchiveEntry> entries = readZipCentralDirectory(*source);
    dropDirectories(entries);
    return entries;
}

}  // namespace tavrix
