#include "core/text.h"

#include "core/error.h"
#include "core/native_file.h"

#include <climits>
#include <utility>
#include <vector>

namespace tavrix {

std::string_view trimView(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
    return text.substr(begin, end - begin);
}

std::string trim(std::string_view text) {
    return std::string(trimView(text));
}

static char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (upperAscii(a[i]) != upperAscii(b[i])) return false;
    return true;
}

std::string toUpperAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = upperAscii(c);
    return result;
}

std::string toLowerAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return result;
}

int compareIgnoreCase(std::string_view a, std::string_view b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const auto ca = static_cast<unsigned char>(upperAscii(a[i]));
        const auto cb = static_cast<unsigned char>(upperAscii(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::optional<int> parseInteger(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    int base = 10;
    if (pos < text.size() && text[pos] == '$') {
        base = 16;
        ++pos;
    } else if (pos + 1 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        base = 16;
        pos += 2;
    }
    if (pos >= text.size()) return std::nullopt;
    unsigned long long magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return std::nullopt;
        magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (magnitude > 0xFFFFFFFFull) return std::nullopt;
    }
    if (base == 16) {
        // Hexadecimal spells the 32-bit pattern: $FFFFFFFF is -1.
        auto value = static_cast<int>(static_cast<unsigned>(magnitude));
        return negative ? static_cast<int>(0u - static_cast<unsigned>(value)) : value;
    }
    if (negative) {
        if (magnitude > static_cast<unsigned long long>(INT_MAX) + 1) return std::nullopt;
        return static_cast<int>(-static_cast<long long>(magnitude));
    }
    if (magnitude > static_cast<unsigned long long>(INT_MAX)) return std::nullopt;
    return static_cast<int>(magnitude);
}

std::optional<bool> numberIsNonZero(std::string_view text) {
    if (const auto integer = parseInteger(text)) return *integer != 0;
    size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    bool digits = false;
    bool nonZero = false;
    bool point = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c >= '0' && c <= '9') {
            digits = true;
            nonZero = nonZero || c != '0';
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return std::nullopt;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
        const size_t exponentStart = pos;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
        if (pos == exponentStart) return std::nullopt;
    }
    if (pos != text.size()) return std::nullopt;
    return nonZero;
}

int toInteger(const std::string& text) {
    if (auto value = parseInteger(text)) return *value;
    throw invalidIntegerError(text);
}

std::string decimal(long long value) {
    return std::to_string(value);
}

bool isValidUtf8(std::string_view bytes) {
    size_t i = 0;
    const size_t n = bytes.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) { ++i; continue; }
        int extra;
        unsigned minimum;
        unsigned codePoint;
        if ((c & 0xE0) == 0xC0) { extra = 1; minimum = 0x80; codePoint = c & 0x1F; }
        else if ((c & 0xF0) == 0xE0) { extra = 2; minimum = 0x800; codePoint = c & 0x0F; }
        else if ((c & 0xF8) == 0xF0) { extra = 3; minimum = 0x10000; codePoint = c & 0x07; }
        else return false;
        for (int k = 1; k <= extra; ++k) {
            if (i + static_cast<size_t>(k) >= n) return false;
            const auto cc = static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]);
            if ((cc & 0xC0) != 0x80) return false;
            codePoint = (codePoint << 6) | (cc & 0x3F);
        }
        if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return false;
        i += static_cast<size_t>(extra) + 1;
    }
    return true;
}

std::string displayText(std::string_view bytes) {
    if (isValidUtf8(bytes)) return std::string(bytes);
    if (auto korean = decodeCodePage(bytes, 949)) return *korean;
    if (auto western = decodeCodePage(bytes, 1252)) return *western;
    // Last resort: every byte as its Latin-1 character, which never fails.
    std::string result;
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80) {
            result += c;
        } else {
            result += static_cast<char>(0xC0 | (u >> 6));
            result += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return result;
}

KeptText::KeptText(std::string stored) : stored_(std::move(stored)), shown_(displayText(stored_)) {}

std::string KeptText::bytesFor(std::string_view current) const {
    return current == shown_ ? stored_ : std::string(current);
}

}  // namespace tavrix
