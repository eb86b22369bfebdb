#pragma once
// Errors of the window's handlers, shown to the user in a message box captioned "Tavrix".
// Tests put their own reporter in place, since a box would wait for a click.
#include <functional>
#include <string>

namespace tavrix::win32 {

void showError(const std::string& text);
// Replaces the message box; an empty function brings it back.
void setErrorReporter(std::function<void(const std::string&)> reporter);

}  // namespace tavrix::win32
