#pragma once
// The progress bar in a window's taskbar button (the shell's ITaskbarList3). Where the system
// has no such list, or no taskbar runs, nothing is shown and nothing fails.
#include <windows.h>

#include <memory>

namespace tavrix::win32 {

class TaskbarProgress {
public:
    virtual ~TaskbarProgress() = default;
    // `done` of `total` in the button of `window`; a total of 0 takes the bar away.
    virtual void show(HWND window, int done, int total) = 0;
};

// The shell's, made at the first show on the calling thread.
std::unique_ptr<TaskbarProgress> systemTaskbarProgress();

}  // namespace tavrix::win32
