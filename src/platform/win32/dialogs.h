#pragma once
// The system's modal dialogs the front end shows: message boxes captioned "Tavrix" and the
// shell's folder browser.
#include <windows.h>

#include <string>

namespace tavrix::win32 {

enum class MessageKind { Error, Information };

// A modal message box captioned "Tavrix" with an OK button and the icon of `kind`; `text` is
// UTF-8 and shown as it is. Returns when the user has closed it.
void showMessage(HWND owner, const std::string& text, MessageKind kind = MessageKind::Error);

// The general error report: an error box whose text gets a full stop when it does not end in one.
void reportError(HWND owner, const std::string& text);

// The shell's folder browser, modal to `owner`, with `prompt` (UTF-8) above the tree. The tree
// is rooted at the desktop, nothing is preselected, and only file-system folders can be chosen.
// Returns the chosen folder's full path in UTF-8, or an empty string when cancelled.
std::string chooseFolder(HWND owner, const std::string& prompt);

}  // namespace tavrix::win32
