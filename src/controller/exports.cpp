// The three functions the emulator calls. One keyboard per process, called from one thread.
#include <cstdio>

#include "controller/controller.h"
#include "controller/jamma_controller.h"
#include "controller/keyboard_source.h"

namespace {

using tavrix::controller::JammaController;

void printToConsole(const char* text) {
    std::fputs(text, stdout);
    std::fflush(stdout);  // the emulator's console shows the line at once
}

// Made on first use and never destroyed: tearing the keyboard down while the library is being
// unloaded is not safe on every platform; the emulator closes it first.
JammaController& controller() {
    static JammaController* instance =
        new JammaController(*tavrix::controller::makeSystemKeyboard().release(), printToConsole);
    return *instance;
}

}  // namespace

extern "C" {

KX_EXPORT int32_t KX_CALL KX_JammaOpen(void* window, int32_t systemType, int32_t, int32_t) {
    return controller().open(window, systemType, tavrix::controller::moduleInstance());
}

KX_EXPORT int32_t KX_JammaClose(void) { return controller().close(); }

KX_EXPORT int32_t KX_CALL KX_JammaRead(JammaState* state) { return controller().read(state); }

}
