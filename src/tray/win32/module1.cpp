#include "tray/win32/module1.h"

#include <shellapi.h>

#include "forms/win32/debug_trace.h"
#include "forms/win32/handles.h"
#include "forms/win32/system_call.h"
#include "forms/win32/win32_platform.h"
#include "tray/tray_window_procedure.h"

namespace tray::win32 {

namespace {

// The hook's own state: the hooked window, the message it reacts to, and the
// procedure it replaced. Set once each, never cleared.
HWND gHookWnd = nullptr;
UINT gTrayMsg = 0;
WNDPROC gPrevWndProc = nullptr;

// TrayWndProc finds the program's Module1 on the hooked window itself.
constexpr const char* kModuleProperty = "Quenda.Module1";

LONG_PTR replaceWindowProcedure(HWND window, LONG_PTR procedure) {
#ifdef _WIN64
    return SetWindowLongPtrA(window, GWLP_WNDPROC, procedure);
#else
    return SetWindowLongA(window, GWL_WNDPROC, procedure);
#endif
}

}  // namespace

// The message numbers the core names must be the system's.
static_assert(kLeftButtonDown == WM_LBUTTONDOWN);
static_assert(kSelect == NIN_SELECT);
static_assert(kKeySelect == NIN_KEYSELECT);
static_assert(kRetryMessage == WM_TIMER);
static_assert(kEndSessionMessage == WM_ENDSESSION);
static_assert(TRAY_CALLBACK_MSG == WM_USER + 1);
static_assert(kAnotherStartMessage == WM_USER + 2);

// Every message, the shell's included, goes on to the procedure that was
// there before, whose result is returned unchanged.
LRESULT CALLBACK TrayWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (const auto* module = static_cast<const Module1*>(GetPropA(hWnd, kModuleProperty))) {
        forms::atEdge(
            forms::win32::MessageBoxErrors{}, [&] { module->deliver(uMsg, wParam, lParam); },
            [] {});
    }
    return CallWindowProcA(gPrevWndProc, hWnd, uMsg, wParam, lParam);
}

void Module1::deliver(UINT uMsg, WPARAM wParam, LPARAM lParam) const {
    if (events_ == nullptr) {
        return;
    }
    // The later start waits for this answer and no longer: the window opens
    // after it has gone on.
    if (uMsg == kAnotherStartMessage) {
        ReplyMessage(events_->ending() ? kResidentEnding : kResidentOpens);
    }
    deliverShellMessage({gTrayMsg, messages_.taskbarCreated}, *events_, uMsg, wParam, lParam);
}

void Module1::setHookTarget(forms::NativeHandle window, const ShellMessages& messages,
                            ShellEvents& events) {
    gHookWnd = forms::win32::fromInteger<HWND>(window);
    gTrayMsg = messages.trayCallback;
    messages_ = messages;
    events_ = &events;
}

// Without the hook the icon could be pressed but never heard.
void Module1::HookTray() {
    forms::win32::checked(SetPropA(gHookWnd, kModuleProperty, this),
                          "Could not hook the start-up window");
    gPrevWndProc = forms::win32::fromInteger<WNDPROC>(
        replaceWindowProcedure(gHookWnd, reinterpret_cast<LONG_PTR>(&TrayWndProc)));
    forms::win32::checked(gPrevWndProc, "Could not hook the start-up window");
    forms::win32::trace("tray hook");
}

// When the hook never took, there is nothing to put back, and an empty window
// procedure must never be installed.
void Module1::UnhookTray() {
    if (gPrevWndProc == nullptr) {
        return;
    }
    replaceWindowProcedure(gHookWnd, reinterpret_cast<LONG_PTR>(gPrevWndProc));
    RemovePropA(gHookWnd, kModuleProperty);
    forms::win32::trace("tray unhook");
}

}  // namespace tray::win32
