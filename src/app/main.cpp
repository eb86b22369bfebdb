#include "app/app_icon.h"
#include "app/main_window.h"
#include "app/tavrix_application.h"
#include "platform/termination.h"

#include <csignal>
#include <vector>

int main(int argc, char** argv) {
    // A file size limit makes a write fail with an error instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // In a Wayland session the window is a native Wayland client (X11 through XWayland only
    // when Qt's Wayland platform cannot start); Qt would otherwise choose X11 on some desktops.
    // A platform the user names keeps the upper hand. Given as an argument, not through the
    // environment, which the emulator inherits unchanged.
    std::vector<char*> arguments(argv, argv + argc);
    char platformOption[] = "-platform";
    char waylandFirst[] = "wayland;xcb";
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        arguments.insert(arguments.begin() + 1, {platformOption, waylandFirst});
    }
    int argumentCount = int(arguments.size());
    arguments.push_back(nullptr);
    TavrixApplication app(argumentCount, arguments.data());
    app.setWindowIcon(appIcon());
    tavrix::platform::quitOnTerminationSignals();
    TF1 F1;
    F1.show();
    return app.exec();
}
