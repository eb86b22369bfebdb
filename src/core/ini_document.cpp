#include "core/ini_document.h"

#include "core/file_io.h"
#include "core/text.h"

#include <cstdint>
#include <cstring>

namespace tavrix {

IniDocument IniDocument::parse(std::string_view content) {
    IniDocument document;
    Section* current = nullptr;
    size_t pos = 0;
    const size_t size = content.size();
    while (pos < size) {
        size_t end = pos;
        while (end < size && content[end] != '\r' && content[end] != '\n') ++end;
        const std::string_view line = trimView(content.substr(pos, end - pos));
        const bool crlf = end + 1 < size && content[end] == '\r' && content[end + 1] == '\n';
        pos = end + (crlf ? 2 : 1);

        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            const std::string name = trim(line.substr(1, line.size() - 2));
            document.sections_.push_back(Section{name, {}});
            document.index_.emplace(name, document.sections_.size() - 1);
            current = &document.sections_.back();
            continue;
        }
        if (current == nullptr) continue;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            current->lines.push_back(Line{{}, std::string(line), false});
        } else {
            current->lines.push_back(
                Line{trim(line.substr(0, equals)), trim(line.substr(equals + 1)), true});
        }
    }
    return document;
}

IniDocument IniDocument::load(const std::string& fileName) {
    if (auto content = readWholeFile(fileName)) return parse(*content);
    return IniDocument{};
}

std::size_t IniDocument::FoldedHash::operator()(std::string_view name) const noexcept {
    // FNV-1a over the upper-cased bytes.
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        hash = (hash ^ byte) * 1099511628211ull;
    }
    return static_cast<std::size_t>(hash);
}

bool IniDocument::FoldedEqual::operator()(std::string_view a, std::string_view b) const noexcept {
    return equalsIgnoreCase(a, b);
}

const IniDocument::Section* IniDocument::findSection(std::string_view name) const {
    const auto it = index_.find(name);
    return it == index_.end() ? nullptr : &sections_[it->second];
}

IniDocument::Section& IniDocument::sectionForWrite(std::string_view name) {
    const auto it = index_.find(name);
    if (it != index_.end()) return sections_[it->second];
    sections_.push_back(Section{std::string(name), {}});
    index_.emplace(std::string(name), sections_.size() - 1);
    return sections_.back();
}

const IniDocument::Line* IniDocument::findLine(const Section& section, std::string_view key) {
    for (const Line& line : section.lines)
        if (line.hasEquals && line.key.size() == key.size() && equalsIgnoreCase(line.key, key)) return &line;
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
    return line->text;
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
        if (line.hasEquals && line.key.size() == key.size() && equalsIgnoreCase(line.key, key)) {
            line.key = std::string(key);
            line.text = std::move(cleanValue);
            return;
        }
    }
    target.lines.push_back(Line{std::string(key), std::move(cleanValue), true});
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
    for (const Section& section : sections_) names.push_back(section.name);
    return names;
}

std::vector<std::string> IniDocument::keys(std::string_view section) const {
    std::vector<std::string> result;
    if (const Section* found = findSection(section))
        for (const Line& line : found->lines)
            if (line.hasEquals) result.push_back(line.key);
    return result;
}

std::string IniDocument::serialize() const {
    // The exact size first, then every piece copied into place.
    std::size_t size = 0;
    for (const Section& section : sections_) {
        size += section.name.size() + 6;  // "[" name "]" CR LF, and the CR LF after the section
        for (const Line& line : section.lines)
            size += (line.hasEquals ? line.key.size() + 1 : 0) + line.text.size() + 2;
    }
    std::string out(size, '\0');
    char* at = out.data();
    auto put = [&at](std::string_view piece) {
        std::memcpy(at, piece.data(), piece.size());
        at += piece.size();
    };
    for (const Section& section : sections_) {
        put("[");
        put(section.name);
        put("]\r\n");
        for (const Line& line : section.lines) {
            if (line.hasEquals) {
                put(line.key);
                put("=");
            }
            put(line.text);
            put("\r\n");
        }
        put("\r\n");
    }
    return out;
}

void IniDocument::save(const std::string& fileName) const {
    writeFileAtomically(fileName, serialize());
}

}  // namespace tavrix
