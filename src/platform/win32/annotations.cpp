#include "platform/win32/annotations.h"

#include <initguid.h>
#include <objbase.h>
#include <oleacc.h>

namespace tavrix::win32 {

namespace {

// The system's service, on the window's (single) thread. It is kept, with COM on that thread,
// until the process ends.
class SystemAnnotations : public Annotations {
public:
    void setName(HWND control, long part, const std::wstring& name) override {
        if (IAccPropServices* services = service())
            services->SetHwndPropStr(control, OBJID_CLIENT, static_cast<DWORD>(part), PROPID_ACC_NAME, name.c_str());
    }

    void setRole(HWND control, long part, long role) override {
        VARIANT value{};
        value.vt = VT_I4;
        value.lVal = role;
        if (IAccPropServices* services = service())
            services->SetHwndProp(control, OBJID_CLIENT, static_cast<DWORD>(part), PROPID_ACC_ROLE, value);
    }

    void clear(HWND control, long parts) override {
        IAccPropServices* services = service();
        if (services == nullptr) return;
        const MSAAPROPID all[] = {PROPID_ACC_NAME, PROPID_ACC_ROLE};
        for (long part = 0; part <= parts; ++part)
            services->ClearHwndProps(control, OBJID_CLIENT, static_cast<DWORD>(part), all, 2);
    }

private:
    IAccPropServices* service() {
        if (!triedService_) {
            triedService_ = true;
            CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
            CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                             reinterpret_cast<void**>(&services_));
        }
        return services_;
    }

    IAccPropServices* services_ = nullptr;
    bool triedService_ = false;
};

Annotations* replaced = nullptr;

}  // namespace

Annotations& systemAnnotations() {
    static SystemAnnotations system;
    return system;
}

Annotations& annotations() {
    return replaced != nullptr ? *replaced : systemAnnotations();
}

void setAnnotations(Annotations* replacement) {
    replaced = replacement;
}

}  // namespace tavrix::win32
