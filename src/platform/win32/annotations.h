#pragma once
// What a screen reader is told of a window's controls beyond what the system reads from them:
// a name, and for some a role, put on the control's accessible object the Windows way (dynamic
// annotation). The window's controls go through annotations(), which a test may replace.
#include <windows.h>

#include <string>

namespace tavrix::win32 {

class Annotations {
public:
    virtual ~Annotations() = default;
    // `part` 0 is the control itself; an up-down's arrows are its parts 1 (up) and 2 (down).
    virtual void setName(HWND control, long part, const std::wstring& name) = 0;
    // A role of the accessibility layer (ROLE_SYSTEM_PUSHBUTTON ...).
    virtual void setRole(HWND control, long part, long role) = 0;
    // Forgets everything told of the control and its parts.
    virtual void clear(HWND control, long parts) = 0;
};

// The system's annotation service, taken up at the first note; notes the system does not
// take (an older system, or Wine, which has no such service) are dropped.
Annotations& systemAnnotations();
// The annotations the window's controls get: the system's, unless replaced.
Annotations& annotations();
// Replaces them (a test's recorder); nullptr gives the system's back.
void setAnnotations(Annotations* replacement);

}  // namespace tavrix::win32
