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

// Whether a number is other than zero: an integer as parseInteger reads it, or a decimal
// fraction ("1.0", "-0.5", ".5", "2.", "1e3", leading blanks allowed). Every number that is
// not zero counts, "1.5" and "1e-999" too. Empty when the text is no number.
std::optional<bool> numberIsNonZero(std::string_view text);

// parseInteger, or throws "'text' is not a valid integer value".
int toInteger(const std::string& text);

// Decimal text of a number.
std::string decimal(long long value);

bool isValidUtf8(std::string_view bytes);

// Bytes from a file shown to the user: returned unchanged when they are valid UTF-8,
// otherwise decoded from the legacy Windows code page (Korean, then Western as a fallback).
std::string displayText(std::string_view bytes);

// A stored text shown for editing: the bytes as stored and their display form. While the
// user has not changed the shown text, storing it again gives back the stored bytes, so a
// value that is not UTF-8 survives a save unchanged; a changed text is stored as typed.
class KeptText {
public:
    KeptText() = default;
    explicit KeptText(std::string stored);
    const std::string& shown() const { return shown_; }
    // The bytes to store for the text the control holds now.
    std::string bytesFor(std::string_view current) const;

private:
    std::string stored_;
    std::string shown_;
};

}  // namespace tavrix
