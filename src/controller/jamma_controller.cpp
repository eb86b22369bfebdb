#include "controller/jamma_controller.h"

#include <utility>

namespace tavrix::controller {
namespace {

const char* directInputCreateErrorLine(SourceResult code) {
    switch (code) {
    case result::OutOfMemory: return "ERROR: DirectInput DIERR_OUTOFMEMORY\n";
    case result::InvalidParam: return "ERROR: DirectInput DIERR_INVALIDPARAM\n";
    case result::OldDirectInputVersion: return "ERROR: DirectInput DIERR_OLDDIRECTINPUTVERSION\n";
    case result::BetaDirectInputVersion: return "ERROR: DirectInput DIERR_BETADIRECTINPUTVERSION\n";
    default: return "ERROR: unknown DirectInputCreate Error!\n";
    }
}

}  // namespace

JammaController::JammaController(KeyboardSource& source, PrintFunction print)
    : source_(source), print_(std::move(print)) {}

JammaController::~JammaController() { close(); }

std::int32_t JammaController::open(void* window, std::int32_t systemType, void* moduleInstance) {
    // Opening again without a close would orphan the acquired keyboard: release it first.
    close();

    map_ = keyMapForSystem(systemType);
    if (map_ == nullptr) {
        print_("ERROR: System not yet emulated\n");
        map_ = &MapNone;
    }

    if (SourceResult code = source_.createInput(moduleInstance); code != result::Ok) {
        print_("ERROR: DirectInputCreate failed\n");
        print_(directInputCreateErrorLine(code));
        close();
        return -1;
    }
    inputCreated_ = true;

    if (source_.createDevice() != result::Ok)
        return failOpen("ERROR: DirectInput: Create Device Failed");  // no line end, as ever
    deviceCreated_ = true;

    if (source_.setDataFormat() != result::Ok)
        return failOpen("ERROR: DirectInput:Set Data Format failed\n");
    if (source_.setCooperativeLevel(window, kCooperativeFlags) != result::Ok)
        return failOpen("ERROR: DirectInput:SetCooperative Level Failed\n");
    if (source_.acquire() != result::Ok)
        return failOpen("ERROR: DirectInput: Acquire Failed\n");

    open_ = true;
    print_("JAMMA keyboard driver 1.0 initialized\n");
    return 0;
}

std::int32_t JammaController::failOpen(const char* line) {
    print_(line);
    close();
    return -1;
}

std::int32_t JammaController::close() {
    if (deviceCreated_) {
        source_.unacquire();
        source_.releaseDevice();
        deviceCreated_ = false;
    }
    if (inputCreated_) {
        source_.releaseInput();
        inputCreated_ = false;
    }
    open_ = false;
    return 0;
}

std::int32_t JammaController::read(JammaState* state) {
    // Called before a successful open (or after close) there is no keyboard to read, and a
    // null record has nowhere to go: fail without touching memory.
    if (!open_ || state == nullptr) return -1;

    SourceResult code = source_.getDeviceState(keys_, sizeof keys_);
    // Another program took the keyboard away: take it back, a few times at most, so that a
    // keyboard that stays lost makes the read fail instead of hanging the emulator.
    for (int attempt = 0; code == result::InputLost && attempt < kMaxReacquireAttempts; ++attempt) {
        source_.acquire();
        code = source_.getDeviceState(keys_, sizeof keys_);
    }
    if (code != result::Ok) return -1;

    fillJammaState(keys_, *map_, *state);
    return 0;
}

}  // namespace tavrix::controller
