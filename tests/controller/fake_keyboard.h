#pragma once
// A keyboard source that the tests drive: chosen keys are down, any step can be made to fail,
// and it records the calls and what is still alive.
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "controller/keyboard_source.h"

namespace tavrix::test {

using controller::SourceResult;
namespace result = controller::result;

class FakeKeyboard : public controller::KeyboardSource {
public:
    // Results the steps answer with.
    SourceResult createInputResult = result::Ok;
    SourceResult createDeviceResult = result::Ok;
    SourceResult setDataFormatResult = result::Ok;
    SourceResult setCooperativeLevelResult = result::Ok;
    SourceResult acquireResult = result::Ok;
    SourceResult stateResult = result::Ok;
    // The next this many state reads answer "input lost".
    int lostReads = 0;

    std::vector<std::string> calls;
    void* moduleSeen = nullptr;
    void* windowSeen = nullptr;
    std::uint32_t flagsSeen = 0;
    int inputsAlive = 0;
    int devicesAlive = 0;
    bool acquired = false;
    std::uint8_t keys[256] = {};

    void press(std::initializer_list<std::uint8_t> scanCodes) {
        for (std::uint8_t code : scanCodes) keys[code] = 0x80;
    }
    void releaseAllKeys() { std::memset(keys, 0, sizeof keys); }

    SourceResult createInput(void* moduleInstance) override {
        calls.push_back("createInput");
        moduleSeen = moduleInstance;
        if (createInputResult == result::Ok) ++inputsAlive;
        return createInputResult;
    }
    SourceResult createDevice() override {
        calls.push_back("createDevice");
        if (createDeviceResult == result::Ok) ++devicesAlive;
        return createDeviceResult;
    }
    SourceResult setDataFormat() override {
        calls.push_back("setDataFormat");
        return setDataFormatResult;
    }
    SourceResult setCooperativeLevel(void* window, std::uint32_t flags) override {
        calls.push_back("setCooperativeLevel");
        windowSeen = window;
        flagsSeen = flags;
        return setCooperativeLevelResult;
    }
    SourceResult acquire() override {
        calls.push_back("acquire");
        if (acquireResult == result::Ok) acquired = true;
        return acquireResult;
    }
    SourceResult getDeviceState(std::uint8_t* out, std::uint32_t size) override {
        calls.push_back("getDeviceState");
        if (size != sizeof keys) return result::InvalidParam;
        if (lostReads > 0) {
            --lostReads;
            return result::InputLost;
        }
        if (stateResult != result::Ok) return stateResult;
        std::memcpy(out, keys, sizeof keys);
        return result::Ok;
    }
    void unacquire() override {
        calls.push_back("unacquire");
        acquired = false;
    }
    void releaseDevice() override {
        calls.push_back("releaseDevice");
        --devicesAlive;
    }
    void releaseInput() override {
        calls.push_back("releaseInput");
        --inputsAlive;
    }

    int count(const std::string& call) const {
        int n = 0;
        for (const std::string& c : calls) n += c == call;
        return n;
    }
};

// Collects what the controller prints.
struct PrintedLines {
    std::string text;
    auto sink() {
        return [this](const char* line) { text += line; };
    }
};

}  // namespace tavrix::test
