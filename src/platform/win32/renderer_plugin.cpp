#include "platform/win32/renderer_plugin.h"

#include "core/emulator_contract.h"
#include "core/error.h"
#include "core/windows/windows_text.h"

namespace tavrix::win32 {

namespace {

std::wstring currentDirectory() {
    std::wstring directory(MAX_PATH, L'\0');
    DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data());
    if (length > directory.size()) {
        directory.resize(length);
        length = GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data());
    }
    directory.resize(length);
    return directory;
}

}  // namespace

SoftwareRendererDialog::SoftwareRendererDialog(std::string fileName) : fileName_(std::move(fileName)) {}

SoftwareRendererDialog::~SoftwareRendererDialog() {
    if (library_ != nullptr) FreeLibrary(library_);
}

void SoftwareRendererDialog::bind() {
    // A full path, so the library search path is not consulted: the plug-in belongs to the
    // emulator in the working directory. The altered search order lets the plug-in find
    // libraries of its own beside it.
    std::wstring path = currentDirectory();
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    path += widePath(fileName_);
    const HMODULE library = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (library == nullptr)
        throw Error("Cannot load the plug-in \"" + fileName_ + "\". " + windowsErrorText(GetLastError()));
    const auto entry =
        reinterpret_cast<ConfigureEntry>(reinterpret_cast<void*>(GetProcAddress(library, emulator::kSoftwareRendererConfigEntry)));
    if (entry == nullptr) {
        FreeLibrary(library);
        throw Error("The plug-in \"" + fileName_ + "\" has no entry point " +
                    emulator::kSoftwareRendererConfigEntry);
    }
    library_ = library;
    configure_ = entry;
}

void SoftwareRendererDialog::run(HWND owner) {
    if (configure_ == nullptr) bind();
    if (owner != nullptr) EnableWindow(owner, FALSE);
    configure_();
    if (owner != nullptr) EnableWindow(owner, TRUE);
}

}  // namespace tavrix::win32
