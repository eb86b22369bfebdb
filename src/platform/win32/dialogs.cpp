#include "platform/win32/dialogs.h"

#include "core/error.h"
#include "core/windows/windows_text.h"

#include <objbase.h>
#include <shlobj.h>

namespace tavrix::win32 {

namespace {

constexpr const wchar_t* kCaption = L"Tavrix";

}  // namespace

void showMessage(HWND owner, const std::string& text, MessageKind kind) {
    const UINT icon = kind == MessageKind::Error ? MB_ICONERROR : MB_ICONINFORMATION;
    MessageBoxW(owner, widePath(text).c_str(), kCaption, MB_OK | icon);
}

void reportError(HWND owner, const std::string& text) {
    showMessage(owner, errorReportText(text), MessageKind::Error);
}

std::string chooseFolder(HWND owner, const std::string& prompt) {
    // The folder browser is a shell component: it needs COM on this thread. A thread that
    // has COM in another mode already still gets the dialog.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const std::wstring title = widePath(prompt);
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.pidlRoot = nullptr;  // the desktop
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    std::string chosen;
    if (PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&browse)) {
        wchar_t path[MAX_PATH] = {};
        if (SHGetPathFromIDListW(item, path)) chosen = utf8Text(path);
        CoTaskMemFree(item);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return chosen;
}

}  // namespace tavrix::win32
