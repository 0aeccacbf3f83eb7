#pragma once

#include <string>

#include "forms/toolkit.h"
#include "tray/tray_record.h"
#include "tray/tray_window_procedure.h"

namespace tray {

// The window-procedure hook that lets the start-up window hear the tray.
class TrayHook {
  public:
    virtual ~TrayHook() = default;
    // Remembers the window to hook, the shell's messages to listen for, and
    // who hears what they say.
    virtual void setHookTarget(forms::NativeHandle window, const ShellMessages& messages,
                               ShellEvents& events) = 0;
    virtual void HookTray() = 0;
    virtual void UnhookTray() = 0;
};

// The notification area of the task bar.
class TrayShell {
  public:
    virtual ~TrayShell() = default;
    // True when the shell took the request.
    virtual bool notify(NotifyMessage message, const TrayRecord& record) = 0;
    // The message the task bar broadcasts when it starts (again).
    virtual unsigned taskbarCreatedMessage() const = 0;
    // The icon picture of the start-up window.
    virtual forms::NativeHandle trayIcon() const = 0;
    // Asks for a retry message (see kRetryMessage) to the window after a pause,
    // repeated until cancelled; false when the system would set no timer.
    virtual bool scheduleRetry(forms::NativeHandle window) = 0;
    virtual void cancelRetry(forms::NativeHandle window) = 0;
    // A balloon over the icon that `icon` names (its window and identifier);
    // true when the shell took it.
    virtual bool showBalloon(const TrayRecord& icon, const std::string& title,
                             const std::string& text) = 0;
};

}  // namespace tray
