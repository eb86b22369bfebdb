#pragma once
// The Linux keyboard: every evdev device under /dev/input that reports keys, read with
// EVIOCGKEY (a snapshot of all keys, no window or focus needed), ORed across keyboards and
// translated to DirectInput scan codes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "controller/key_maps.h"
#include "controller/keyboard_source.h"

namespace tavrix::controller {

// The DirectInput scan code of an evdev key code, 0 for a key DirectInput has no code for.
std::uint8_t scanCodeForEvdevKey(unsigned evdevCode);

// Marks as down (0x80) in keys every key whose bit is set in an evdev key bit array
// (bit n of byte n / 8 is key code n), leaving keys already down as they are.
void addEvdevKeys(const std::uint8_t* bits, std::size_t byteCount,
                  std::uint8_t (&keys)[kKeyStateSize]);

class EvdevKeyboardSource final : public KeyboardSource {
public:
    explicit EvdevKeyboardSource(std::string directory = "/dev/input");
    ~EvdevKeyboardSource() override;

    SourceResult createInput(void* moduleInstance) override;
    SourceResult createDevice() override;  // fails when no keyboard can be opened
    SourceResult setDataFormat() override;
    SourceResult setCooperativeLevel(void* window, std::uint32_t flags) override;
    SourceResult acquire() override;  // after a loss: opens the keyboards afresh
    SourceResult getDeviceState(std::uint8_t* keys, std::uint32_t size) override;
    void unacquire() override;
    void releaseDevice() override;
    void releaseInput() override;

    std::size_t keyboardCount() const { return descriptors_.size(); }

private:
    void openKeyboards();
    void closeKeyboards();

    std::string directory_;
    std::vector<int> descriptors_;
    bool deviceOpen_ = false;
    bool acquired_ = false;
    bool lost_ = false;
};

}  // namespace tavrix::controller
