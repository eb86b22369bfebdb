#pragma once
// tavrix-controller.cfg: the key and joystick assignments of the Controls page, read and written
// over a plain value that mirrors the page (fourteen assignment captions, the player shown and the
// joystick interface check box). The file holds tokens; the page shows display names, and the
// two are tied by a scan of the input name table.
#include "core/input_names.h"

#include <array>
#include <string>

namespace tavrix {

inline constexpr const char* kControllerConfigFileName = "tavrix-controller.cfg";

// A caption of one blank marks the label waiting for a key or joystick input. It matches no
// display name, so a save leaves that label's key as it is in the file.
inline constexpr const char* kCaptureMarker = " ";

// The assignable labels L21 .. L34, in this order.
enum ControllerLabel {
    L21, L22, L23, L24, L25, L26,  // buttons 1 to 6
    L27, L28, L29, L30,            // up, down, left, right
    L31, L32,                      // coin, start
    L33, L34,                      // test, services
    kControllerLabelCount
};

struct ControllerPageState {
    std::array<std::string, kControllerLabelCount> captions;  // L21 .. L34
    int player = 0;       // CB23: 0 Player 1, otherwise Player 2
    bool useMM = false;   // CB25
};

// "player1" for player index 0, "player2" otherwise.
std::string playerSectionName(int player);

// Reads the file into the state. When the file has no non-empty "general" section (first use or
// no file) both players get their defaults, each is written with saveControllerConfig, and the
// state ends on Player 1; when one of those writes fails the error is thrown and the state keeps
// what it held before.
void loadControllerConfig(ControllerPageState& state, const InputNameTable& names,
                          const std::string& fileName = kControllerConfigFileName);

// Writes the state's player section, "all", "general" and "combos" into the file, keeping every
// other key and section. A caption that matches no display name leaves its key unwritten.
void saveControllerConfig(const ControllerPageState& state, const InputNameTable& names,
                          const std::string& fileName = kControllerConfigFileName);

}  // namespace tavrix
