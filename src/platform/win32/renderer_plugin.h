#pragma once
// The software renderer plug-in's own settings dialog on Windows. The plug-in lies beside the
// emulator in the working directory and is bound when its dialog is first asked for, so the
// front end starts without it.
#include <windows.h>

#include <string>

namespace tavrix::win32 {

class SoftwareRendererDialog {
public:
    // `fileName` (UTF-8) is relative to the working directory.
    explicit SoftwareRendererDialog(std::string fileName);
    ~SoftwareRendererDialog();
    SoftwareRendererDialog(const SoftwareRendererDialog&) = delete;
    SoftwareRendererDialog& operator=(const SoftwareRendererDialog&) = delete;

    // Loads the plug-in on first use, then calls its configuration entry point with no
    // arguments and returns when the plug-in's dialog has closed; its result is not used.
    // `owner`, when given, is disabled for the call so it takes no input meanwhile. A missing
    // plug-in or entry point throws tavrix::Error and leaves the plug-in unbound, so a later
    // call tries again.
    void run(HWND owner = nullptr);

private:
    using ConfigureEntry = long(__stdcall*)();
    void bind();

    std::string fileName_;
    HMODULE library_ = nullptr;
    ConfigureEntry configure_ = nullptr;
};

}  // namespace tavrix::win32
