#pragma once

#include <windows.h>

#include "tray/tray_services.h"

namespace tray::win32 {

// An icon handle that destroys its icon.
class ScopedIcon {
  public:
    explicit ScopedIcon(HICON icon) : icon_(icon) {}
    ~ScopedIcon() {
        if (icon_ != nullptr) {
            DestroyIcon(icon_);
        }
    }
    ScopedIcon(const ScopedIcon&) = delete;
    ScopedIcon& operator=(const ScopedIcon&) = delete;
    HICON get() const { return icon_; }

  private:
    HICON icon_;
};

// The notification area, through Shell_NotifyIconA and the icon record's
// first, ANSI form.
class NotifyIconShell final : public TrayShell {
  public:
    explicit NotifyIconShell(int iconResource);

    bool notify(NotifyMessage message, const TrayRecord& record) override;
    unsigned taskbarCreatedMessage() const override { return taskbarCreated_; }
    forms::NativeHandle trayIcon() const override;
    void scheduleRetry(forms::NativeHandle window) override;
    void cancelRetry(forms::NativeHandle window) override;

  private:
    ScopedIcon icon_;
    UINT taskbarCreated_;
};

}  // namespace tray::win32
