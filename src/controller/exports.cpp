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

// The module's one keyboard, made on first use. It lives on the heap and is never a static
// object: a static object's destructor runs whenever the library is detached, process exit
// included, and calling into DirectInput while the process ends waits for a DirectInput
// thread that is already gone. Only an unload while the process goes on frees it.
struct Plugin {
    std::unique_ptr<tavrix::controller::KeyboardSource> source = tavrix::controller::makeSystemKeyboard();
    JammaController controller{*source, printToConsole};
};

Plugin* plugin = nullptr;

JammaController& controller() {
    if (plugin == nullptr) plugin = new Plugin;
    return plugin->controller;
}

}  // namespace

void tavrix::controller::releasePlugin() {
    delete plugin;  // closes the keyboard if the emulator left it open
    plugin = nullptr;
}

#if !defined(_WIN32)
// Runs at dlclose and at exit alike. Releasing the evdev keyboard only closes its device
// files, which is safe at both; the Windows library decides in its load handler instead.
__attribute__((destructor)) static void releaseAtUnload() { tavrix::controller::releasePlugin(); }
#endif

extern "C" {

KX_EXPORT int32_t KX_CALL KX_JammaOpen(void* window, int32_t systemType, int32_t, int32_t) {
    return controller().open(window, systemType, tavrix::controller::moduleInstance());
}

KX_EXPORT int32_t KX_JammaClose(void) { return controller().close(); }

KX_EXPORT int32_t KX_CALL KX_JammaRead(JammaState* state) { return controller().read(state); }

}
