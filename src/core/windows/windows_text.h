#pragma once
// Text at the Windows API: the core's UTF-8 paths as UTF-16 and back, and the system's
// message for an error code.
#include <windows.h>

#include <string>
#include <string_view>

namespace tavrix {

// UTF-8 as UTF-16; bytes that are not valid UTF-8 (a name written by an older program) are
// read in the system's ANSI code page instead, as Windows itself would read them.
std::wstring widePath(std::string_view path);

// UTF-16 as UTF-8.
std::string utf8Text(std::wstring_view text);

// The system's description of an error code, in UTF-8 and in the form of the POSIX texts:
// no trailing line break, blanks or full stop ("Access is denied").
std::string windowsErrorText(DWORD code);

// A handle closed when it goes out of scope.
class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    ~OwnedHandle() { close(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Gives the handle up to the caller, who closes it.
    HANDLE release() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle;
    }
    // CloseHandle's result; the handle is gone either way.
    bool close() {
        if (!valid()) return true;
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

}  // namespace tavrix
