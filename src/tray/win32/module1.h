#pragma once

#include <windows.h>

#include "tray/tray_services.h"

namespace tray::win32 {

// Replaces the start-up window's procedure with TrayWndProc, the one place
// where everything the shell sends that window arrives: it hands each to
// frmPopUp as a named call and passes every message on to the procedure it
// replaced.
LRESULT CALLBACK TrayWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

class Module1 final : public TrayHook {
  public:
    Module1() = default;
    Module1(const Module1&) = delete;
    Module1& operator=(const Module1&) = delete;

    void setHookTarget(forms::NativeHandle window, const ShellMessages& messages,
                       ShellEvents& events) override;
    void HookTray() override;
    void UnhookTray() override;

    // What the hooked window procedure hears, handed to frmPopUp.
    void deliver(UINT uMsg, WPARAM wParam, LPARAM lParam) const;

  private:
    ShellMessages messages_;
    ShellEvents* events_ = nullptr;
};

}  // namespace tray::win32
