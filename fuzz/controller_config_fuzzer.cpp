// Any bytes as the controller file: loading fills the page, saving keeps the rest of the file,
// and a second load of what was saved shows the same captions.
#include "core/controller_config.h"
#include "core/input_names.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const tavrix::InputNameTable names(true);
    static const std::string file = "/tmp/tavrix-controller-fuzz-" + std::to_string(::getpid()) + ".cfg";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    tavrix::ControllerPageState state;
    state.player = size % 2;
    try {
        tavrix::loadControllerConfig(state, names, file);
        tavrix::saveControllerConfig(state, names, file);
        tavrix::ControllerPageState again = state;
        tavrix::loadControllerConfig(again, names, file);
        if (again.captions != state.captions || again.useMM != state.useMM) std::abort();
    } catch (const std::exception&) {
        // A file that cannot be written is reported to the user; nothing to check here.
    }
    return 0;
}
