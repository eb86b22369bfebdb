#pragma once
// The vocabulary of assignable inputs: every input code (a Windows virtual-key code for keys,
// 260..291 for the two joysticks) with its token, the form stored in tavrix-controller.cfg, and
// its display name, the form the Controls page shows. Names exist in English and in the built-in
// (Korean) interface language; tokens are the same in both.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tavrix {

inline constexpr int kFirstInputCode = 1;
inline constexpr int kLastInputCode = 291;

// Joystick inputs: up, down, left, right, then buttons 1 to 12 of joystick 1; joystick 2 follows
// 16 codes later.
inline constexpr int kJoystickUpCode = 260;
inline constexpr int kJoystickDownCode = 261;
inline constexpr int kJoystickLeftCode = 262;
inline constexpr int kJoystickRightCode = 263;
inline constexpr int kJoystickButton1Code = 264;
inline constexpr int kJoystickButtonCount = 12;
inline constexpr int kSecondJoystickOffset = 16;

// A name is at most this many bytes; longer ones are cut at a character boundary.
inline constexpr size_t kMaxInputNameBytes = 14;

class InputNameTable {
public:
    // An empty table: every code has an empty token and name until build() runs.
    InputNameTable() = default;
    explicit InputNameTable(bool english) { build(english); }

    // Fills every row in the given language. Running it again rebuilds the same rows.
    void build(bool english);

    // Direct lookups; a code without a row (or outside 1..291) gives the empty string.
    const std::string& token(int code) const;
    const std::string& name(int code) const;

    // Scans codes 1..291 in ascending order for an exact (case-sensitive) match and gives the
    // first matching code. An empty token or name matches the first code without a row.
    std::optional<int> codeOfToken(std::string_view token) const;
    std::optional<int> codeOfName(std::string_view name) const;

    // The display name of a token and the token of a display name, nothing when no row matches.
    std::optional<std::string> nameOfToken(std::string_view token) const;
    std::optional<std::string> tokenOfName(std::string_view name) const;

private:
    struct Row {
        std::string token;
        std::string name;
    };
    void set(int code, std::string_view token, std::string_view name);
    void setName(int code, std::string_view name);

    std::array<Row, kLastInputCode + 1> rows_{};  // index 0 is never used
};

// Cuts UTF-8 text to at most maxBytes bytes without splitting a character.
std::string cutUtf8(std::string_view text, size_t maxBytes);

}  // namespace tavrix
