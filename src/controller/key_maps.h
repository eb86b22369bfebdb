#pragma once
// The fixed per-system key maps: which key sets which bit of which word of JammaState.
#include <cstddef>
#include <cstdint>

#include "controller/controller.h"

namespace tavrix::controller {

inline constexpr int kKeyMapCapacity = 16;
inline constexpr int kInputWordCount = 4;
inline constexpr std::size_t kKeyStateSize = 256;

struct KeyEntry {
    std::uint32_t scanCode = 0;  // only the low 8 bits are used
    std::uint32_t bit = 0;       // 0 ... 31
};

struct KeyMap {
    std::int32_t count = 0;  // entries used in each of the four arrays
    KeyEntry words[kInputWordCount][kKeyMapCapacity] = {};  // input1 ... input4
};

struct SpecialKey {
    std::uint32_t scanCode;
    std::uint32_t mask;  // ORed into special as it is, not a bit number
};

extern const KeyMap MapA;
extern const KeyMap MapB;
extern const KeyMap MapC;
extern const KeyMap MapD;
extern const KeyMap MapNone;
extern const SpecialKey SpecialKeys[4];

// The map for a system type, or nullptr for a type that has none (the caller reports it and
// uses MapNone).
const KeyMap* keyMapForSystem(std::int32_t systemType);

// Turns a 256-byte keyboard state (a byte with 0x80 set is a key down) into the five words.
// Every entry is tested on its own and ORs its bit, so keys may share bits.
void fillJammaState(const std::uint8_t (&keys)[kKeyStateSize], const KeyMap& map,
                    JammaState& state);

}  // namespace tavrix::controller
