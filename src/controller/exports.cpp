// The three functions the emulator calls. One keyboard per process, called from one thread.
#include <cstdio>
#include <memory>

#include "controller/controller.h"
#include "controller/jamma_controller.h"
#include "controller/keyboard_source.h"

namespace {

using tavrix::controller::JammaController;

void printToConsole(const char* text) {
    std::fputs(text, stdout);
    std::fflush(stdout);  // the emulator's console shows the line at once
}

// The module's one keyboard, made on first use and released when the library is unloaded
// (the emulator normally closes it before that, leaving nothing to release).
struct Plugin {
    std::unique_ptr<tavrix::controller::KeyboardSource> source = tavrix::controller::makeSystemKeyboard();
    JammaController controller{*source, printToConsole};
};

JammaController& controller() {
    static Plugin plugin;
    return plugin.controller;
}

}  // namespace

extern "C" {

KX_EXPORT int32_t KX_CALL KX_JammaOpen(void* window, int32_t systemType, int32_t, int32_t) {
    return controller().open(window, systemType, tavrix::controller::moduleInstance());
}

KX_EXPORT int32_t KX_JammaClose(void) { return controller().close(); }

KX_EXPORT int32_t KX_CALL KX_JammaRead(JammaState* state) { return controller().read(state); }

}
