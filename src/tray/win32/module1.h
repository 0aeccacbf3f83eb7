#pragma once

#include <windows.h>

#include <functional>
#include <utility>

#include "tray/tray_services.h"

namespace tray::win32 {

// Replaces the start-up window's procedure with TrayWndProc, which hears the
// tray's callback message and passes every message on to the procedure it
// replaced.
LRESULT CALLBACK TrayWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

class Module1 final : public TrayHook {
  public:
    explicit Module1(forms::Toolkit& toolkit) : toolkit_(toolkit) {}
    Module1(const Module1&) = delete;
    Module1& operator=(const Module1&) = delete;

    void setHookTarget(forms::NativeHandle window, unsigned trayMessage) override;
    void HookTray() override;
    void UnhookTray() override;

    // What a left-button press on the icon does.
    void setOpenHandler(std::function<void()> handler) { openSetupWindow_ = std::move(handler); }
    // Runs inside the hooked window procedure, which nothing may leave.
    void openSetupWindow() const noexcept {
        try {
            if (openSetupWindow_) {
                openSetupWindow_();
            }
        } catch (...) {
            toolkit_.reportCaught();
        }
    }

  private:
    forms::Toolkit& toolkit_;
    std::function<void()> openSetupWindow_;
};

}  // namespace tray::win32
