#include "platform/win32/taskbar_progress.h"

#include <objbase.h>
#include <shobjidl.h>

namespace tavrix::win32 {

namespace {

class ShellTaskbarProgress : public TaskbarProgress {
public:
    ~ShellTaskbarProgress() override {
        if (list_ != nullptr) list_->Release();
        if (comStarted_) CoUninitialize();
    }

    void show(HWND window, int done, int total) override {
        if (!tried_) open();
        if (list_ == nullptr) return;
        if (total <= 0) {
            list_->SetProgressState(window, TBPF_NOPROGRESS);
        } else {
            list_->SetProgressValue(window, static_cast<ULONGLONG>(done), static_cast<ULONGLONG>(total));
        }
    }

private:
    void open() {
        tried_ = true;
        // The list is a shell component: it needs COM on this thread, in whatever mode the
        // thread has it already.
        comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
        ITaskbarList3* list = nullptr;
        if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                    reinterpret_cast<void**>(&list))))
            return;
        if (FAILED(list->HrInit())) {
            list->Release();
            return;
        }
        list_ = list;
    }

    ITaskbarList3* list_ = nullptr;
    bool tried_ = false;
    bool comStarted_ = false;
};

}  // namespace

std::unique_ptr<TaskbarProgress> systemTaskbarProgress() {
    return std::make_unique<ShellTaskbarProgress>();
}

}  // namespace tavrix::win32
