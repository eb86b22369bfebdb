#include "platform/x11_windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <optional>

namespace tavrix {

namespace {

// Windows can vanish between listing and reading them; such errors only mean "not this one".
int ignoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

// The title as the window manager shows it: the UTF-8 name when set, else the legacy name.
std::optional<std::string> windowTitle(Display* display, Window window) {
    const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8String = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, netWmName, 0, 1024, False, utf8String, &type, &format, &count,
                           &remaining, &data) == Success &&
        data != nullptr) {
        std::optional<std::string> title;
        if (type == utf8String && format == 8) title = std::string(reinterpret_cast<char*>(data), count);
        XFree(data);
        if (title) return title;
    }
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name != nullptr) {
        std::string title(name);
        XFree(name);
        return title;
    }
    return std::nullopt;
}

bool isMapped(Display* display, Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state != IsUnmapped;
}

// A top-level window is a child of the root or, under a window manager, a client window inside
// the frame that the manager put there; frames nest the client a few levels deep at most.
Window findTitled(Display* display, Window parent, const std::string& title, int depth) {
    Window root = 0;
    Window parentOfParent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &parentOfParent, &children, &count)) return 0;
    Window found = 0;
    // Topmost first, as the stacking order lists them bottom to top.
    for (unsigned int i = count; i-- > 0 && found == 0;) {
        const auto name = windowTitle(display, children[i]);
        if (name && *name == title && isMapped(display, children[i])) found = children[i];
    }
    for (unsigned int i = count; depth > 0 && i-- > 0 && found == 0;)
        found = findTitled(display, children[i], title, depth - 1);
    if (children != nullptr) XFree(children);
    return found;
}

}  // namespace

bool hideTopLevelWindow(const char* displayName, const std::string& title) {
    if (displayName == nullptr) {
        const char* display = std::getenv("DISPLAY");
        if (display == nullptr || *display == '\0') return false;
    }
    Display* display = XOpenDisplay(displayName);
    if (display == nullptr) return false;
    const auto previousHandler = XSetErrorHandler(ignoreXErrors);
    const Window root = DefaultRootWindow(display);
    const Window window = findTitled(display, root, title, 2);
    if (window != 0) {
        // Withdraw rather than only unmap, so a window manager lets go of it as well.
        XWithdrawWindow(display, window, DefaultScreen(display));
    }
    XSync(display, False);
    XSetErrorHandler(previousHandler);
    XCloseDisplay(display);
    return window != 0;
}

}  // namespace tavrix
