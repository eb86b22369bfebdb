#pragma once
// Top-level windows of an X11 display, looked up by title. Used to hide the console window
// that a Windows program run through wine opens.
#include <string>

namespace tavrix {

// Hides the first shown top-level window whose title is exactly `title` on the display `displayName`
// (nullptr: the display named by DISPLAY). Windows placed in a window manager's frame count as
// top-level. Returns whether a window was hidden; without an X11 display nothing happens.
bool hideTopLevelWindow(const char* displayName, const std::string& title);

}  // namespace tavrix
