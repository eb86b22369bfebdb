// A stand-in emulator for the Windows plug-in: loads controller.dll with the system loader, looks
// its exports up by name and drives them in one of three ways, printing what each call returned.
//   close      open, read, close, exit
//   reload     open, unload while open, load again, open, read, close, exit
//   exit-open  open, read, then return from main with the keyboard still open
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "controller/controller.h"

namespace {

// Library functions by name, the way an emulator finds them.
template <typename Function>
Function exported(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

void say(const char* format, long value) {
    std::printf(format, value);
    std::fflush(stdout);
}

struct Plugin {
    HMODULE module = nullptr;
    KX_JammaOpenFunction open = nullptr;
    KX_JammaCloseFunction close = nullptr;
    KX_JammaReadFunction read = nullptr;

    bool load(const char* path) {
        module = LoadLibraryA(path);
        if (!module) return false;
        open = exported<KX_JammaOpenFunction>(module, "KX_JammaOpen");
        close = exported<KX_JammaCloseFunction>(module, "KX_JammaClose");
        read = exported<KX_JammaReadFunction>(module, "KX_JammaRead");
        return open && close && read;
    }
    void unload() {
        say("unload %ld\n", FreeLibrary(module) ? 0 : -1);
        module = nullptr;
    }
    void openKeyboard(HWND window) { say("open %ld\n", open(window, 1, 0, 0)); }
    void readKeyboard() {
        JammaState state{~0u, ~0u, ~0u, ~0u, ~0u};
        const long result = read(&state);
        // Nobody presses a key on the virtual display: a read that worked reports none.
        say("read %ld\n", result);
        say("keys %ld\n", static_cast<long>(state.special | state.input1 | state.input2 |
                                            state.input3 | state.input4));
    }
    void closeKeyboard() { say("close %ld\n", close()); }
};

// The emulator's window, which the plug-in hands to DirectInput.
HWND makeWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "JammaHost";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "JammaHost", "JammaHost", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240,
                           nullptr, nullptr, windowClass.hInstance, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: jamma_host close|reload|exit-open controller.dll\n");
        return 2;
    }
    const char* mode = argv[1];
    const HWND window = makeWindow();
    if (!window) return 3;

    Plugin plugin;
    if (!plugin.load(argv[2])) {
        std::fprintf(stderr, "cannot load %s\n", argv[2]);
        return 4;
    }
    plugin.openKeyboard(window);
    if (std::strcmp(mode, "reload") == 0) {
        plugin.unload();
            if (!plugin.load(argv[2])) return 4;
        plugin.openKeyboard(window);
    }
    plugin.readKeyboard();
    if (std::strcmp(mode, "exit-open") != 0) plugin.closeKeyboard();
    say("end of main %ld\n", 0);
    return 0;  // the process ends here, with the library still loaded
}
