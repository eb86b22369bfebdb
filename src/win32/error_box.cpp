#include "win32/error_box.h"

#include "win32/form.h"

#include <windows.h>

#if TAVRIX_HAVE_PLATFORM_WIN32
#include "platform/win32/dialogs.h"
#endif

namespace tavrix::win32 {

namespace {
std::function<void(const std::string&)>& reporter() {
    static std::function<void(const std::string&)> current;
    return current;
}
}  // namespace

void showError(const std::string& text) {
    if (reporter()) {
        reporter()(text);
        return;
    }
    // The box takes the focus from the window; the control that had it gets it back.
    HWND focus = GetFocus();
#if TAVRIX_HAVE_PLATFORM_WIN32
    showMessage(GetActiveWindow(), text, MessageKind::Error);
#else
    MessageBoxW(GetActiveWindow(), wide(text).c_str(), L"Tavrix", MB_OK | MB_ICONERROR);
#endif
    if (focus != nullptr && GetFocus() != focus && IsWindow(focus) && IsWindowVisible(focus) && IsWindowEnabled(focus))
        SetFocus(focus);
}

void setErrorReporter(std::function<void(const std::string&)> function) {
    reporter() = std::move(function);
}

}  // namespace tavrix::win32
