#pragma once
// The in-memory INI document behind every INI file of the front end.
//
// Loading keeps the entries of each section in order: each line is trimmed, empty lines and
// lines that begin with ";" are dropped, and so are lines before the first section header.
// In a "key=value" line the key and the value are trimmed separately; a line without "="
// stays in its section as it is but is never read as a key. Section and key names match
// without regard to case (a to z). Writing back produces each section header, its lines and
// one empty line, all ended by CR LF; an existing key keeps its place, a new key goes to the
// end of its section and a new section to the end of the file.
//
// Values are kept as the bytes of the file; nothing is re-encoded. The document keeps the file's
// bytes in one buffer and each name, key and value as a place in it, so a database of tens of
// thousands of games costs little more than its file: no string per line. Text written later
// goes to a second buffer. A file of 2 GiB or more is read up to that size.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrix {

class IniDocument {
public:
    IniDocument() = default;

    // Parses file content. CR LF, LF and CR all end a line.
    static IniDocument parse(std::string_view content);
    // Loads the named file; a missing or unreadable file gives an empty document.
    static IniDocument load(const std::string& fileName);

    bool hasSection(std::string_view section) const;      // present, even when empty
    bool sectionExists(std::string_view section) const;   // present and holding at least one line
    bool hasKey(std::string_view section, std::string_view key) const;

    std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // The value when the key exists, otherwise nothing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;
    bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;

    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, long long value);
    void writeBool(std::string_view section, std::string_view key, bool value);

    // Calls visit(key, value) for every "key=value" line of the section, in order, duplicates
    // included (a lookup by key sees only the first of them). Nothing when there is no such
    // section. One pass over the section, for readers that want many of its keys.
    template <class Visit>
    void forEachEntry(std::string_view section, Visit&& visit) const {
        if (const Section* found = findSection(section))
            for (const Line& line : found->lines)
                if (line.hasEquals()) visit(view(line.key), view(line.text));
    }

    std::vector<std::string> sectionNames() const;
    // The keys of a section in order (lines without "=" are left out).
    std::vector<std::string> keys(std::string_view section) const;

    std::string serialize() const;
    // Hands the bytes of serialize() to `sink`, in order, in pieces.
    void write(const std::function<void(std::string_view)>& sink) const;
    // Writes the whole document over the file at once (see writeFileAtomically).
    void save(const std::string& fileName) const;

private:
    // A piece of text: in the file's bytes, or with kAddedText set in the text added since.
    struct Span {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };
    static constexpr std::uint32_t kAddedText = 0x80000000u;
    static constexpr std::uint32_t kNoKey = 0xFFFFFFFFu;  // a line without "=" (key.offset)
    static constexpr std::size_t kMaxText = kAddedText - 1;

    struct Line {
        Span key;   // the key; offset kNoKey for a line without "="
        Span text;  // the value, or the whole line when it has no "="
        bool hasEquals() const { return key.offset != kNoKey; }
    };
    struct Section {
        Span name;
        std::vector<Line> lines;
    };

    static IniDocument parseOwned(std::string content);

    std::string_view view(Span span) const {
        const std::string& text = (span.offset & kAddedText) != 0 ? added_ : text_;
        return std::string_view(text.data() + (span.offset & ~kAddedText), span.length);
    }
    // Copies `text` into the added text (a key written again reuses its last copy).
    Span add(std::string_view text);
    Span addKey(std::string_view key);

    const Section* findSection(std::string_view name) const;
    const Section* findSection(std::string_view name, std::uint32_t hash) const;
    Section& sectionForWrite(std::string_view name);
    const Line* findLine(const Section& section, std::string_view key) const;
    // Indexes section `position` unless a section of the same name (a to z folded) is indexed.
    void indexSection(std::size_t position);

    std::string text_;   // the file's bytes
    std::string added_;  // names, keys and values written since
    Span lastKey_{kNoKey, 0};
    std::vector<Section> sections_;
    // Open addressing over the first section of each name (a to z folded). Later duplicates are
    // kept but never looked up.
    struct Slot {
        std::uint32_t position = 0;  // of the section + 1; 0 for a free slot
        std::uint32_t hash = 0;      // of its name
    };
    std::vector<Slot> index_;
    std::size_t indexed_ = 0;
};

}  // namespace tavrix
