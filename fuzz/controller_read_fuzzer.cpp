// The plug-in's open and read over an arbitrary system type, keyboard state and sequence of
// device results: it must never read or write outside its record and tables.
#include "controller/jamma_controller.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

using namespace tavrix::controller;

// A keyboard whose answers come from the fuzzer's bytes.
class ScriptedKeyboard : public KeyboardSource {
public:
    ScriptedKeyboard(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    SourceResult createInput(void*) override { return next(); }
    SourceResult createDevice() override { return next(); }
    SourceResult setDataFormat() override { return next(); }
    SourceResult setCooperativeLevel(void*, std::uint32_t) override { return next(); }
    SourceResult acquire() override { return next(); }
    SourceResult getDeviceState(std::uint8_t* keys, std::uint32_t size) override {
        for (std::uint32_t i = 0; i < size; ++i) keys[i] = take();
        return next();
    }
    void unacquire() override {}
    void releaseDevice() override {}
    void releaseInput() override {}

private:
    uint8_t take() { return pos_ < size_ ? data_[pos_++] : 0; }
    // Mostly success, sometimes lost input or another failure.
    SourceResult next() {
        switch (take() % 8) {
            case 6: return result::InputLost;
            case 7: return result::Generic;
            default: return result::Ok;
        }
    }

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    std::int32_t systemType;
    std::memcpy(&systemType, data, 4);
    ScriptedKeyboard keyboard(data + 4, size - 4);
    JammaController controller(keyboard, [](const char*) {});
    if (controller.open(nullptr, systemType, nullptr) == 0) {
        JammaState state{};
        for (int i = 0; i < 4; ++i) controller.read(&state);
        controller.read(nullptr);
    }
    controller.close();
    controller.close();
    return 0;
}
