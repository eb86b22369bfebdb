// Stands in for the emulator in the Windows tests; never shipped. In its working directory it
// writes its command-line string (GetCommandLineW, as UTF-8) to "orvo-command-line.txt" and the
// position and size hints it was started with to "orvo-startup.txt". With ORVO_STANDIN_WINDOW
// set it shows a window titled "orvo.exe", as the emulator's console is, and at its end writes
// to "orvo-window.txt" whether that window is still shown. It runs for ORVO_STANDIN_SLEEP_MS
// milliseconds and exits with the code ORVO_STANDIN_EXIT.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void writeText(const char* name, const std::string& text) {
    if (FILE* file = std::fopen(name, "wb")) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
}

std::string utf8(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(length > 0 ? length - 1 : 0, '\0');
    if (length > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

int numberFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::atoi(value) : 0;
}

// Runs the window's messages until `milliseconds` have passed.
void pumpFor(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

}  // namespace

int main() {
    writeText("orvo-command-line.txt", utf8(GetCommandLineW()));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    const DWORD hints = startup.dwFlags & (STARTF_USEPOSITION | STARTF_USESIZE);
    char line[128];
    std::snprintf(line, sizeof line, "flags=%lu x=%lu y=%lu w=%lu h=%lu", hints,
                  hints & STARTF_USEPOSITION ? startup.dwX : 0, hints & STARTF_USEPOSITION ? startup.dwY : 0,
                  hints & STARTF_USESIZE ? startup.dwXSize : 0, hints & STARTF_USESIZE ? startup.dwYSize : 0);
    writeText("orvo-startup.txt", line);

    const DWORD runTime = static_cast<DWORD>(numberFromEnvironment("ORVO_STANDIN_SLEEP_MS"));
    if (std::getenv("ORVO_STANDIN_WINDOW") != nullptr) {
        const HWND window = CreateWindowExW(0, L"STATIC", L"orvo.exe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                            100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        pumpFor(runTime);
        writeText("orvo-window.txt", IsWindowVisible(window) ? "visible=1" : "visible=0");
    } else {
        Sleep(runTime);
    }
    return numberFromEnvironment("ORVO_STANDIN_EXIT");
}
