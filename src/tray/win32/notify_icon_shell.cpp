#include "tray/win32/notify_icon_shell.h"

#include <cstring>
#include <string>

#include "forms/win32/debug_trace.h"
#include "forms/win32/handles.h"

namespace tray::win32 {

namespace {

// The first form of the record: six fields and a 64-character tooltip.
constexpr DWORD kRecordSize = NOTIFYICONDATAA_V1_SIZE;
#ifndef _WIN64
static_assert(kRecordSize == 88, "the first form of the icon record is 88 bytes");
#endif

constexpr UINT kRetryPauseMs = 3000;

NOTIFYICONDATAA toPlatformRecord(const TrayRecord& record) {
    NOTIFYICONDATAA data{};
    data.cbSize = kRecordSize;
    data.hWnd = forms::win32::fromInteger<HWND>(record.hWnd);
    data.uID = record.uID;
    data.uFlags = record.uFlags;
    data.uCallbackMessage = record.uCallbackMessage;
    data.hIcon = forms::win32::fromInteger<HICON>(record.hIcon);
    static_assert(sizeof record.szTip == 64);
    std::memcpy(data.szTip, record.szTip.data(), sizeof record.szTip);
    return data;
}

void traceRequest(NotifyMessage message, const TrayRecord& record) {
    switch (message) {
        case NotifyMessage::Add:
            forms::win32::trace("tray add \"" + record.tipText() + "\"");
            break;
        case NotifyMessage::Modify:
            forms::win32::trace("tray modify \"" + record.tipText() + "\"");
            break;
        case NotifyMessage::Delete:
            forms::win32::trace("tray delete");
            break;
    }
}

}  // namespace

NotifyIconShell::NotifyIconShell(int iconResource)
    : icon_(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconResource),
                                          IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR))),
      taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {}

bool NotifyIconShell::notify(NotifyMessage message, const TrayRecord& record) {
    NOTIFYICONDATAA data = toPlatformRecord(record);
    traceRequest(message, record);
    return Shell_NotifyIconA(static_cast<DWORD>(message), &data) != FALSE;
}

forms::NativeHandle NotifyIconShell::trayIcon() const {
    return reinterpret_cast<forms::NativeHandle>(icon_.get());
}

void NotifyIconShell::scheduleRetry(forms::NativeHandle window) {
    SetTimer(forms::win32::fromInteger<HWND>(window), kRetryTimerId, kRetryPauseMs, nullptr);
}

void NotifyIconShell::cancelRetry(forms::NativeHandle window) {
    KillTimer(forms::win32::fromInteger<HWND>(window), kRetryTimerId);
}

}  // namespace tray::win32
