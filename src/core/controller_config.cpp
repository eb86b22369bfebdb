#include "core/controller_config.h"

#include "core/ini_document.h"

namespace tavrix {
namespace {

constexpr const char* kDefaultToken = "k01";

struct KeyOfLabel {
    const char* key;
    ControllerLabel label;
};

// The player keys in the order they are read and written; btn9 .. btn13 repeat buttons 1 to 5
// and are never read back.
constexpr KeyOfLabel kPlayerKeys[] = {
    {"coin", L31}, {"start", L32}, {"up", L27},    {"down", L28},   {"left", L29},
    {"right", L30}, {"btn1", L21}, {"btn2", L22},  {"btn3", L23},   {"btn4", L24},
    {"btn5", L25}, {"btn6", L26},  {"btn9", L21},  {"btn10", L22},  {"btn11", L23},
    {"btn12", L24}, {"btn13", L25},
};
constexpr size_t kReadPlayerKeyCount = 12;  // coin .. btn6

// Player defaults as input codes, in the label order L21 .. L32.
constexpr std::array<int, 12> kPlayer1Defaults = {
    'T', 'Y', 'U', 'F', 'G', 'H',  // buttons 1 to 6
    'W', 'S', 'A', 'D',            // up, down, left, right
    '1', '5',                      // coin, start
};
constexpr std::array<int, 12> kPlayer2Defaults = {
    kJoystickButton1Code, kJoystickButton1Code + 1, kJoystickButton1Code + 2,
    kJoystickButton1Code + 3, kJoystickButton1Code + 4, kJoystickButton1Code + 5,
    kJoystickUpCode, kJoystickDownCode, kJoystickLeftCode, kJoystickRightCode,
    kJoystickButton1Code + 6, kJoystickButton1Code + 8,  // coin: button 7, start: button 9
};
constexpr int kTestDefaultCode = 114;      // F3
constexpr int kServicesDefaultCode = 113;  // F2

// Sets the caption to the name of the code whose token equals the value. The first matching
// code wins; tokens are unique, and an empty value matches the codes without a row, which all
// have the empty name. A value that matches no token leaves the caption as it was.
void readCaption(const IniDocument& document, std::string_view section, std::string_view key,
                 const InputNameTable& names, std::string& caption) {
    const std::string value = document.readString(section, key, kDefaultToken);
    if (auto name = names.nameOfToken(value)) caption = *name;
}

void applyDefaults(ControllerPageState& state, const InputNameTable& names,
                   const std::array<int, 12>& codes) {
    for (size_t i = 0; i < codes.size(); ++i) state.captions[i] = names.name(codes[i]);
}

}  // namespace

std::string playerSectionName(int player) {
    return player == 0 ? "player1" : "player2";
}

void saveControllerConfig(const ControllerPageState& state, const InputNameTable& names,
                          const std::string& fileName) {
    IniDocument document = IniDocument::load(fileName);
    document.writeString("general", "output", "\"controller-status.txt\"");
    document.writeString("general", "noerror", "1");
    document.writeString("combos", "1", "d,,dr,,rb3");
    document.writeString("combos", "2", "d,,dl,,lb3");
    const std::string player = playerSectionName(state.player);

    // Walking the codes in ascending order decides where new keys go: a key is created when
    // the code of its caption comes up, so a fresh section lists its keys by input code.
    for (int code = kFirstInputCode; code <= kLastInputCode; ++code) {
        const std::string& name = names.name(code);
        const std::string& token = names.token(code);
        if (state.captions[L33] == name) document.writeString("all", "test", token);
        if (state.captions[L34] == name) document.writeString("all", "services", token);
        if (code == kFirstInputCode) document.writeBool(player, "useMM", state.useMM);
        for (const KeyOfLabel& entry : kPlayerKeys)
            if (state.captions[entry.label] == name) document.writeString(player, entry.key, token);
    }
    document.save(fileName);
}

void loadControllerConfig(ControllerPageState& state, const InputNameTable& names,
                          const std::string& fileName) {
    const IniDocument document = IniDocument::load(fileName);
    if (document.sectionExists("general")) {
        const std::string player = playerSectionName(state.player);
        readCaption(document, "all", "test", names, state.captions[L33]);
        readCaption(document, "all", "services", names, state.captions[L34]);
        state.useMM = document.readInteger(player, "useMM", 0) != 0;
        for (size_t i = 0; i < kReadPlayerKeyCount; ++i)
            readCaption(document, player, kPlayerKeys[i].key, names,
                        state.captions[kPlayerKeys[i].label]);
        return;
    }

    // First use: write Player 2's defaults, then Player 1's, and show Player 1. The check box
    // keeps its state for both. Work on a copy so a failed write leaves the page as it was.
    ControllerPageState fresh = state;
    fresh.captions[L33] = names.name(kTestDefaultCode);
    fresh.captions[L34] = names.name(kServicesDefaultCode);
    fresh.player = 1;
    applyDefaults(fresh, names, kPlayer2Defaults);
    saveControllerConfig(fresh, names, fileName);
    fresh.player = 0;
    applyDefaults(fresh, names, kPlayer1Defaults);
    saveControllerConfig(fresh, names, fileName);
    state = fresh;
}

}  // namespace tavrix
