#pragma once
// The plug-in's open/read/close state machine over a keyboard source. Reports its progress
// and failures as text lines through a print function (standard output in the library).
#include <cstdint>
#include <functional>

#include "controller/controller.h"
#include "controller/key_maps.h"
#include "controller/keyboard_source.h"

namespace tavrix::controller {

class JammaController {
public:
    // How many times one read re-acquires a lost keyboard before it gives up with -1.
    static constexpr int kMaxReacquireAttempts = 3;

    using PrintFunction = std::function<void(const char*)>;

    JammaController(KeyboardSource& source, PrintFunction print);
    ~JammaController();
    JammaController(const JammaController&) = delete;
    JammaController& operator=(const JammaController&) = delete;

    std::int32_t open(void* window, std::int32_t systemType, void* moduleInstance);
    std::int32_t close();
    std::int32_t read(JammaState* state);

    bool isOpen() const { return open_; }
    const KeyMap& keyMap() const { return *map_; }

private:
    std::int32_t failOpen(const char* line);

    KeyboardSource& source_;
    PrintFunction print_;
    bool inputCreated_ = false;
    bool deviceCreated_ = false;
    bool open_ = false;
    const KeyMap* map_ = &MapNone;
    std::uint8_t keys_[kKeyStateSize] = {};
};

}  // namespace tavrix::controller
