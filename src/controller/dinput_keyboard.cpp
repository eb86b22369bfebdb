// The Windows keyboard: the system keyboard through DirectInput 0x0300, non-exclusive
// background access, read as the 256-byte device state.
#define DIRECTINPUT_VERSION 0x0300
#include <windows.h>
#include <dinput.h>

#include <memory>

#include "controller/keyboard_source.h"

namespace tavrix::controller {
namespace {

HINSTANCE libraryInstance = nullptr;

SourceResult toResult(HRESULT hr) { return static_cast<SourceResult>(hr); }

class DirectInputKeyboardSource final : public KeyboardSource {
public:
    SourceResult createInput(void* moduleInstance) override {
        input_ = nullptr;
        return toResult(DirectInputCreateA(static_cast<HINSTANCE>(moduleInstance), 0x0300, &input_, nullptr));
    }
    SourceResult createDevice() override {
        device_ = nullptr;
        return toResult(input_->CreateDevice(GUID_SysKeyboard, &device_, nullptr));
    }
    SourceResult setDataFormat() override { return toResult(device_->SetDataFormat(&c_dfDIKeyboard)); }
    SourceResult setCooperativeLevel(void* window, std::uint32_t flags) override {
        return toResult(device_->SetCooperativeLevel(static_cast<HWND>(window), flags));
    }
    SourceResult acquire() override { return toResult(device_->Acquire()); }
    SourceResult getDeviceState(std::uint8_t* keys, std::uint32_t size) override {
        return toResult(device_->GetDeviceState(size, keys));
    }
    void unacquire() override {
        if (device_) device_->Unacquire();
    }
    void releaseDevice() override {
        if (device_) device_->Release();
        device_ = nullptr;
    }
    void releaseInput() override {
        if (input_) input_->Release();
        input_ = nullptr;
    }

private:
    IDirectInputA* input_ = nullptr;
    IDirectInputDeviceA* device_ = nullptr;
};

}  // namespace

std::unique_ptr<KeyboardSource> makeSystemKeyboard() {
    return std::make_unique<DirectInputKeyboardSource>();
}

void* moduleInstance() { return libraryInstance; }

}  // namespace tavrix::controller

// Records the library's instance handle, which DirectInputCreateA wants, on every notification.
// Unloaded by FreeLibrary (reserved null) with the keyboard still open, it releases the
// keyboard. When the process is ending (reserved non-null) it calls nothing in DirectInput:
// the loader lock is held and DirectInput's threads are gone, so Unacquire would wait for
// ever; the process takes the keyboard back itself.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    tavrix::controller::libraryInstance = instance;
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) tavrix::controller::releasePlugin();
    return TRUE;
}
