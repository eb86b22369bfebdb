#include "controller/key_maps.h"

#include <initializer_list>

#include "controller/scan_codes.h"

namespace tavrix::controller {
namespace {

// One line of a map table: a bit number and the key that sets it in input1 ... input4.
struct Row {
    std::uint32_t bit;
    std::uint8_t keys[kInputWordCount];
};

// Lays rows out as positions 0, 1, ... of the four arrays; positions from the last row up to
// count stay scan code 0, which no key reports.
constexpr KeyMap makeMap(std::int32_t count, std::initializer_list<Row> rows) {
    KeyMap map;
    map.count = count;
    int position = 0;
    for (const Row& row : rows) {
        for (int word = 0; word < kInputWordCount; ++word)
            map.words[word][position] = KeyEntry{row.keys[word], row.bit};
        ++position;
    }
    return map;
}

using namespace dik;

}  // namespace

constinit const KeyMap MapA = makeMap(16, {
    {0, {R, U, I, O}},
    {1, {Q, U, I, O}},
    {2, {W, U, I, O}},
    {3, {E, U, I, O}},
    {4, {F, U, I, O}},
    {5, {Z, U, I, O}},
    {6, {X, U, I, O}},
    {7, {C, U, I, O}},
    {8, {Right, U, I, O}},
    {9, {Left, U, I, O}},
    {10, {Down, U, I, O}},
    {11, {Up, U, I, O}},
    {12, {A, U, Z, O}},
    {13, {S, U, X, O}},
    {14, {D, U, I, O}},
    {15, {Key1, Key2, Key3, Key4}},
});

constinit const KeyMap MapB = makeMap(16, {
    {0, {R, R, I, O}},
    {1, {Z, R, I, O}},
    {2, {X, R, I, O}},
    {3, {C, R, I, O}},
    {4, {R, Key6, I, O}},
    {5, {J, Key5, I, O}},
    {6, {K, Key4, I, O}},
    {7, {L, Key7, I, O}},
    {8, {Right, M, I, O}},
    {9, {Left, B, I, O}},
    {10, {Down, N, I, O}},
    {11, {Up, H, I, O}},
    {12, {A, U, Z, O}},
    {13, {S, I, X, O}},
    {14, {D, O, I, O}},
    {15, {Key1, Key2, Key3, Key4}},
});

constinit const KeyMap MapC = makeMap(11, {
    {0, {Left, B, None, None}},
    {1, {Right, M, None, None}},
    {2, {Up, H, None, None}},
    {3, {Down, N, None, None}},
    {4, {A, U, None, None}},
    {5, {S, I, None, None}},
    {6, {D, O, None, None}},
    {7, {Key1, Key2, None, None}},
});

constinit const KeyMap MapD = makeMap(11, {
    {0, {Up, H, None, None}},
    {1, {Down, N, None, None}},
    {2, {Left, B, None, None}},
    {3, {Right, M, None, None}},
    {4, {A, J, None, None}},
    {5, {S, K, None, None}},
    {6, {D, L, None, None}},
    {8, {Key1, Key2, None, None}},
    {12, {Z, U, None, None}},
    {13, {X, I, None, None}},
    {14, {C, O, None, None}},
});

constinit const KeyMap MapNone = makeMap(0, {});

constinit const SpecialKey SpecialKeys[4] = {
    {Key5, 0x10},
    {Key6, 0x20},
    {Key4, 0x01},
    {Key7, 0x02},
};

const KeyMap* keyMapForSystem(std::int32_t systemType) {
    switch (systemType) {
    case 1: case 5: case 6: case 7: case 8: case 14: case 15: case 16:
        return &MapD;
    case 3: case 12:
        return &MapA;
    case 4:
        return &MapB;
    case 9:
        return &MapC;
    default:  // 2, 10, 11, 13 and everything outside 1 ... 16
        return nullptr;
    }
}

void fillJammaState(const std::uint8_t (&keys)[kKeyStateSize], const KeyMap& map,
                    JammaState& state) {
    auto down = [&keys](std::uint32_t scanCode) { return (keys[scanCode & 0xFF] & dik::Pressed) != 0; };

    state.special = 0;
    for (const SpecialKey& key : SpecialKeys)
        if (down(key.scanCode)) state.special |= key.mask;

    std::uint32_t words[kInputWordCount] = {};
    // The maps are ours, but a count beyond the arrays would read past them: clamp it.
    const int count = map.count < 0 ? 0 : (map.count > kKeyMapCapacity ? kKeyMapCapacity : map.count);
    for (int i = 0; i < count; ++i)
        for (int word = 0; word < kInputWordCount; ++word) {
            const KeyEntry& entry = map.words[word][i];
            if (down(entry.scanCode)) words[word] |= std::uint32_t{1} << (entry.bit % 32);
        }
    state.input1 = words[0];
    state.input2 = words[1];
    state.input3 = words[2];
    state.input4 = words[3];
}

}  // namespace tavrix::controller
