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
// Values are kept as the bytes of the file; nothing is re-encoded.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
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
                if (line.hasEquals) visit(std::string_view(line.key), std::string_view(line.text));
    }

    std::vector<std::string> sectionNames() const;
    // The keys of a section in order (lines without "=" are left out).
    std::vector<std::string> keys(std::string_view section) const;

    std::string serialize() const;
    // Writes the whole document over the file at once (see writeFileAtomically).
    void save(const std::string& fileName) const;

private:
    struct Line {
        std::string key;   // empty for a line without "="
        std::string text;  // the value, or the whole line when it has no "="
        bool hasEquals = false;
    };
    struct Section {
        std::string name;
        std::vector<Line> lines;
    };

    // Section names hash and compare with a to z folded, so a lookup by any spelling needs no
    // folded copy of the name.
    struct FoldedHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const noexcept;
    };
    struct FoldedEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const noexcept;
    };

    const Section* findSection(std::string_view name) const;
    Section& sectionForWrite(std::string_view name);
    static const Line* findLine(const Section& section, std::string_view key);

    std::vector<Section> sections_;
    // First section of each name (a to z folded); later duplicates are kept but never looked up.
    std::unordered_map<std::string, size_t, FoldedHash, FoldedEqual> index_;
};

}  // namespace tavrix
