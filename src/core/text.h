#pragma once
// Small text helpers shared by the file formats: trimming, ASCII case folding, the integer
// conversion of the settings files, and decoding of legacy (non-UTF-8) bytes for display.
#include <optional>
#include <string>
#include <string_view>

namespace tavrix {

// Removes blanks and control characters (code below 33) from both ends.
std::string_view trimView(std::string_view text);
std::string trim(std::string_view text);

// Case-insensitive equality where only a to z fold to upper case.
bool equalsIgnoreCase(std::string_view a, std::string_view b);
std::string toUpperAscii(std::string_view text);
std::string toLowerAscii(std::string_view text);

// Ordinal comparison with only a to z folded to upper case: <0, 0 or >0.
int compareIgnoreCase(std::string_view a, std::string_view b);

// A 32-bit signed integer: decimal with an optional sign, or hexadecimal with the prefix
// "$", "0x" or "0X" (optionally signed). Leading blanks are skipped; nothing may follow the
// digits. Empty when the text is not such a number or does not fit.
std::optional<int> parseInteger(std::string_view text);

// parseInteger, or throws "'text' is not a valid integer value".
int toInteger(const std::string& text);

// Decimal text of a number.
std::string decimal(long long value);

bool isValidUtf8(std::string_view bytes);

// Bytes from a file shown to the user: returned unchanged when they are valid UTF-8,
// otherwise decoded from the legacy Windows code page (Korean, then Western as a fallback).
std::string displayText(std::string_view bytes);

}  // namespace tavrix
