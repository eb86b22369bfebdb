// tavrix.exe: the window over the core, in the working directory's tavrix.ini.
#include "win32/main_window.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    tavrix::win32::MainWindow window;
    window.create(instance);
    ShowWindow(window.window(), show);
    window.start();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) window.process(message);
    return static_cast<int>(message.wParam);
}
