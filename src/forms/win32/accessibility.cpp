#include "forms/win32/accessibility.h"

#include <oleacc.h>

#include "forms/win32/accessible_object.h"

namespace forms::win32 {

namespace {

template <typename Function>
Function procedure(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

// The apartment ends before the libraries that hold it are freed.
Accessibility::~Accessibility() {
    if (apartment_) {
        procedure<void(WINAPI*)()>(libraries_->ole32.get(), "CoUninitialize")();
    }
}

// The objects are handed to readers in other processes through COM, which
// needs the window's thread in an apartment.
bool Accessibility::ready() {
    if (libraries_) {
        return ready_;
    }
    const Libraries& loaded = libraries_.emplace();
    if (loaded.ole32.get() == nullptr || loaded.oleaut32.get() == nullptr ||
        loaded.oleacc.get() == nullptr) {
        return false;
    }
    using CoInitializeExFn = HRESULT(WINAPI*)(void*, DWORD);
    const auto coInitializeEx = procedure<CoInitializeExFn>(loaded.ole32.get(), "CoInitializeEx");
    LresultFromObject = procedure<LresultFromObjectFn>(loaded.oleacc.get(), "LresultFromObject");
    CreateStdAccessibleObject =
        procedure<CreateStdAccessibleObjectFn>(loaded.oleacc.get(), "CreateStdAccessibleObject");
    SysAllocString = procedure<SysAllocStringFn>(loaded.oleaut32.get(), "SysAllocString");
    if (coInitializeEx == nullptr || LresultFromObject == nullptr ||
        CreateStdAccessibleObject == nullptr || SysAllocString == nullptr) {
        return false;
    }
    apartment_ = SUCCEEDED(coInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    ready_ = true;
    return true;
}

AccessibleWindow::AccessibleWindow(Accessibility& accessibility, const Control& control)
    : accessibility_(accessibility), control_(control), announced_(control.accessible()) {}

AccessibleWindow::~AccessibleWindow() {
    if (object_ != nullptr) {
        object_->disconnect();
        object_->Release();
    }
}

// Every control gets an object of ours, not only one the model has words
// for: the window's width may clip any of them, and a reader keeps the
// object it was given.
LRESULT AccessibleWindow::answer(HWND window, WPARAM flags, LPARAM objectId) {
    if (static_cast<DWORD>(objectId) != static_cast<DWORD>(OBJID_CLIENT) ||
        !accessibility_.ready()) {
        return 0;
    }
    if (object_ == nullptr) {
        object_ = AccessibleObject::create(accessibility_, window, control_);
        if (object_ == nullptr) {
            return 0;
        }
    }
    return accessibility_.LresultFromObject(__uuidof(IAccessible), flags, object_);
}

void AccessibleWindow::announceChanges(HWND window) {
    const AccessibleText& now = control_.accessible();
    if (window == nullptr || now == announced_) {
        return;
    }
    if (now.name != announced_.name) {
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
    }
    if (now.description != announced_.description) {
        NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, window, OBJID_CLIENT, CHILDID_SELF);
    }
    if (now.value != announced_.value) {
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
    }
    announced_ = now;
}

}  // namespace forms::win32
