#pragma once

#include <windows.h>

#include <string>

#include "forms/win32/handles.h"
#include "tray/tray_services.h"

namespace tray::win32 {

// The notification area, through Shell_NotifyIconA and the icon record's
// second, ANSI form, with the version-3 behaviour asked for on every add.
class NotifyIconShell final : public TrayShell {
  public:
    explicit NotifyIconShell(int iconResource);

    bool notify(NotifyMessage message, const TrayRecord& record) override;
    unsigned taskbarCreatedMessage() const override { return taskbarCreated_; }
    forms::NativeHandle trayIcon() const override;
    bool scheduleRetry(forms::NativeHandle window) override;
    void cancelRetry(forms::NativeHandle window) override;
    bool showBalloon(const TrayRecord& icon, const std::string& title,
                     const std::string& text) override;

  private:
    forms::win32::OwnedIcon icon_;
    UINT taskbarCreated_;
};

}  // namespace tray::win32
