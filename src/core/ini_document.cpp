#include "core/ini_document.h"

#include "core/file_io.h"
#include "core/text.h"

#include <cstring>
#include <functional>
#include <stdexcept>
#include <utility>

namespace tavrix {

namespace {

// FNV-1a over the bytes with a to z folded to upper case, its bits mixed (names that differ in
// their last digit would otherwise fall into neighbouring slots of the index).
std::uint32_t foldedHash(std::string_view name) {
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        hash = (hash ^ byte) * 1099511628211ull;
    }
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 33;
    return static_cast<std::uint32_t>(hash);
}

// Equal without regard to the case of a to z; inline for the look-ups of every key.
inline bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char x = a[i];
        const char y = b[i];
        if (x == y) continue;
        const char folded = static_cast<char>(x | 0x20);
        if (folded != static_cast<char>(y | 0x20) || folded < 'a' || folded > 'z') return false;
    }
    return true;
}

}  // namespace

IniDocument IniDocument::parse(std::string_view content) {
    return parseOwned(std::string(content));
}

IniDocument IniDocument::parseOwned(std::string content) {
    IniDocument document;
    if (content.size() > kMaxText) content.resize(kMaxText);
    document.text_ = std::move(content);
    const std::string_view all = document.text_;
    auto spanOf = [&all](std::string_view piece) {
        return Span{static_cast<std::uint32_t>(piece.data() - all.data()), static_cast<std::uint32_t>(piece.size())};
    };
    // The lines of the section being read, stored at their size (and room for one more key,
    // such as the status a scan adds) once the section ends.
    std::vector<Line> lines;
    bool inSection = false;
    auto endSection = [&] {
        if (!inSection) return;
        std::vector<Line>& stored = document.sections_.back().lines;
        stored.reserve(lines.size() + 1);
        stored.assign(lines.begin(), lines.end());
        lines.clear();
    };

    size_t pos = 0;
    const size_t size = all.size();
    while (pos < size) {
        size_t end = pos;
        while (end < size && all[end] != '\r' && all[end] != '\n') ++end;
        const std::string_view line = trimView(all.substr(pos, end - pos));
        const bool crlf = end + 1 < size && all[end] == '\r' && all[end + 1] == '\n';
        pos = end + (crlf ? 2 : 1);

        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            endSection();
            document.sections_.push_back(Section{spanOf(trimView(line.substr(1, line.size() - 2))), {}});
            document.indexSection(document.sections_.size() - 1);
            inSection = true;
            continue;
        }
        if (!inSection) continue;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            lines.push_back(Line{Span{kNoKey, 0}, spanOf(line)});
        } else {
            lines.push_back(Line{spanOf(trimView(line.substr(0, equals))), spanOf(trimView(line.substr(equals + 1)))});
        }
    }
    endSection();
    return document;
}

IniDocument IniDocument::load(const std::string& fileName) {
    if (auto content = readWholeFile(fileName)) return parseOwned(std::move(*content));
    return IniDocument{};
}

IniDocument::Span IniDocument::add(std::string_view text) {
    // The text may lie in added_ itself, which the append can move.
    if (!text.empty() && std::less_equal<const char*>()(added_.data(), text.data()) &&
        std::less<const char*>()(text.data(), added_.data() + added_.size()))
        return add(std::string(text));
    if (text.size() > kMaxText - added_.size()) throw std::length_error("INI document too large");
    const Span span{kAddedText | static_cast<std::uint32_t>(added_.size()), static_cast<std::uint32_t>(text.size())};
    added_.append(text);
    return span;
}

IniDocument::Span IniDocument::addKey(std::string_view key) {
    if (lastKey_.offset == kNoKey || view(lastKey_) != key) lastKey_ = add(key);
    return lastKey_;
}

void IniDocument::indexSection(std::size_t position) {
    const std::string_view name = view(sections_[position].name);
    const std::uint32_t hash = foldedHash(name);
    if (findSection(name, hash) != nullptr) return;
    if ((indexed_ + 1) * 2 > index_.size()) {
        // Grown to twice the size and filled again in section order, which keeps the first of
        // each name.
        index_.assign(index_.empty() ? 16 : index_.size() * 2, Slot{});
        indexed_ = 0;
        for (std::size_t i = 0; i < position; ++i) indexSection(i);
    }
    const std::size_t mask = index_.size() - 1;
    std::size_t slot = hash & mask;
    while (index_[slot].position != 0) slot = (slot + 1) & mask;
    index_[slot] = Slot{static_cast<std::uint32_t>(position + 1), hash};
    ++indexed_;
}

const IniDocument::Section* IniDocument::findSection(std::string_view name) const {
    return findSection(name, foldedHash(name));
}

const IniDocument::Section* IniDocument::findSection(std::string_view name, std::uint32_t hash) const {
    if (index_.empty()) return nullptr;
    const std::size_t mask = index_.size() - 1;
    for (std::size_t slot = hash & mask; index_[slot].position != 0; slot = (slot + 1) & mask) {
        if (index_[slot].hash != hash) continue;
        const Section& section = sections_[index_[slot].position - 1];
        if (section.name.length == name.size() && sameName(view(section.name), name)) return &section;
    }
    return nullptr;
}

IniDocument::Section& IniDocument::sectionForWrite(std::string_view name) {
    if (const Section* found = findSection(name)) return const_cast<Section&>(*found);
    const Span span = add(name);
    sections_.push_back(Section{span, {}});
    indexSection(sections_.size() - 1);
    return sections_.back();
}

const IniDocument::Line* IniDocument::findLine(const Section& section, std::string_view key) const {
    for (const Line& line : section.lines)
        if (line.hasEquals() && line.key.length == key.size() && sameName(view(line.key), key)) return &line;
    return nullptr;
}

bool IniDocument::hasSection(std::string_view section) const {
    return findSection(section) != nullptr;
}

bool IniDocument::sectionExists(std::string_view section) const {
    const Section* found = findSection(section);
    return found != nullptr && !found->lines.empty();
}

bool IniDocument::hasKey(std::string_view section, std::string_view key) const {
    const Section* found = findSection(section);
    return found != nullptr && findLine(*found, key) != nullptr;
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const {
    const Section* found = findSection(section);
    if (found == nullptr) return std::nullopt;
    const Line* line = findLine(*found, key);
    if (line == nullptr) return std::nullopt;
    return std::string(view(line->text));
}

std::string IniDocument::readString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    if (auto text = value(section, key)) return *text;
    return std::string(defaultValue);
}

int IniDocument::readInteger(std::string_view section, std::string_view key, int defaultValue) const {
    const auto text = value(section, key);
    if (!text) return defaultValue;
    return parseInteger(*text).value_or(defaultValue);
}

bool IniDocument::readBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniDocument::writeString(std::string_view section, std::string_view key, std::string_view value) {
    // A line break inside a value would split the entry into lines of its own.
    std::string cleanValue;
    cleanValue.reserve(value.size());
    for (char c : value)
        if (c != '\r' && c != '\n' && c != '\0') cleanValue += c;
    Section& target = sectionForWrite(section);
    for (Line& line : target.lines) {
        if (line.hasEquals() && line.key.length == key.size() && sameName(view(line.key), key)) {
            // The key takes the spelling it is written with.
            if (view(line.key) != key) line.key = addKey(key);
            if (view(line.text) != cleanValue) line.text = add(cleanValue);
            return;
        }
    }
    const Span keySpan = addKey(key);
    target.lines.push_back(Line{keySpan, add(cleanValue)});
}

void IniDocument::writeInteger(std::string_view section, std::string_view key, long long value) {
    writeString(section, key, decimal(value));
}

void IniDocument::writeBool(std::string_view section, std::string_view key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

std::vector<std::string> IniDocument::sectionNames() const {
    std::vector<std::string> names;
    names.reserve(sections_.size());
    for (const Section& section : sections_) names.emplace_back(view(section.name));
    return names;
}

std::vector<std::string> IniDocument::keys(std::string_view section) const {
    std::vector<std::string> result;
    if (const Section* found = findSection(section))
        for (const Line& line : found->lines)
            if (line.hasEquals()) result.emplace_back(view(line.key));
    return result;
}

void IniDocument::write(const std::function<void(std::string_view)>& sink) const {
    // Pieces gathered into blocks of about this size, each handed over whole.
    constexpr std::size_t kBlock = 256 * 1024;
    std::string block;
    block.reserve(kBlock);
    auto put = [&](std::string_view piece) {
        if (block.size() + piece.size() > kBlock && !block.empty()) {
            sink(block);
            block.clear();
        }
        if (piece.size() >= kBlock) sink(piece);
        else block.append(piece);
    };
    for (const Section& section : sections_) {
        put("[");
        put(view(section.name));
        put("]\r\n");
        for (const Line& line : section.lines) {
            if (line.hasEquals()) {
                put(view(line.key));
                put("=");
            }
            put(view(line.text));
            put("\r\n");
        }
        put("\r\n");
    }
    if (!block.empty()) sink(block);
}

std::string IniDocument::serialize() const {
    std::size_t size = 0;
    for (const Section& section : sections_) {
        size += section.name.length + 6;  // "[" name "]" CR LF, and the CR LF after the section
        for (const Line& line : section.lines)
            size += (line.hasEquals() ? line.key.length + 1 : 0) + line.text.length + 2;
    }
    std::string out;
    out.reserve(size);
    write([&out](std::string_view piece) { out.append(piece); });
    return out;
}

void IniDocument::save(const std::string& fileName) const {
    // Written as it is made, so a large file is never held twice in memory.
    writeFileAtomically(fileName, [this](const ByteSink& sink) { write(sink); });
}

}  // namespace tavrix
