#include "tray/win32/notify_icon_shell.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "forms/win32/debug_trace.h"
#include "forms/win32/handles.h"
#include "forms/win32/screen_metrics.h"
#include "forms/win32/system_call.h"

namespace tray::win32 {

namespace {

// Every request gives the record in its second form: the first form's six
// fields and tooltip, then the fields a shell needs to take a version
// request and balloons. The tooltip keeps its characters at the head of the
// longer field.
constexpr DWORD kRecordSize = NOTIFYICONDATAA_V2_SIZE;
#ifndef _WIN64
static_assert(kRecordSize == 488, "the second form of the icon record is 488 bytes");
#endif

// The numbers the core gives the record and the requests must be the system's.
static_assert(kCallbackPart == NIF_MESSAGE && kIconPart == NIF_ICON && kTipPart == NIF_TIP);
static_assert(static_cast<DWORD>(NotifyMessage::Add) == NIM_ADD &&
              static_cast<DWORD>(NotifyMessage::Modify) == NIM_MODIFY &&
              static_cast<DWORD>(NotifyMessage::Delete) == NIM_DELETE);

constexpr UINT kRetryPauseMs = 3000;

// The notification area shows small icons: the image of that size for the
// display, not a 16-pixel one stretched.
HICON loadSmallIcon(int iconResource) {
    const int dpi = forms::win32::screenDpi();
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconResource),
                                         IMAGE_ICON, forms::win32::metricForDpi(SM_CXSMICON, dpi),
                                         forms::win32::metricForDpi(SM_CYSMICON, dpi),
                                         LR_DEFAULTCOLOR));
}

NOTIFYICONDATAA toPlatformRecord(const TrayRecord& record) {
    NOTIFYICONDATAA data{};
    data.cbSize = kRecordSize;
    data.hWnd = forms::win32::fromInteger<HWND>(record.hWnd);
    data.uID = record.uID;
    data.uFlags = record.uFlags;
    data.uCallbackMessage = record.uCallbackMessage;
    data.hIcon = forms::win32::fromInteger<HICON>(record.hIcon);
    static_assert(sizeof record.szTip <= sizeof data.szTip);
    std::memcpy(data.szTip, record.szTip.data(), sizeof record.szTip);
    return data;
}

// Asks for the version-3 behaviour, under which the shell reports the
// keyboard's selection of the icon. It lasts as long as the icon, so every
// add asks again; a shell that does not know it keeps the old behaviour.
void requestKeyboardSelection(const TrayRecord& record) {
    NOTIFYICONDATAA data{};
    data.cbSize = kRecordSize;
    data.hWnd = forms::win32::fromInteger<HWND>(record.hWnd);
    data.uID = record.uID;
    data.uVersion = NOTIFYICON_VERSION;
    Shell_NotifyIconA(NIM_SETVERSION, &data);
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

// Text for a fixed-size field of the record, cut to fit with its terminator.
template <std::size_t Size>
void copyField(char (&field)[Size], const std::string& text) {
    const std::size_t length = std::min(text.size(), Size - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

}  // namespace

NotifyIconShell::NotifyIconShell(int iconResource)
    : icon_(forms::win32::checked(loadSmallIcon(iconResource), "Could not load the tray icon")),
      taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {}

bool NotifyIconShell::notify(NotifyMessage message, const TrayRecord& record) {
    NOTIFYICONDATAA data = toPlatformRecord(record);
    traceRequest(message, record);
    const bool taken = Shell_NotifyIconA(static_cast<DWORD>(message), &data) != FALSE;
    if (taken && message == NotifyMessage::Add) {
        requestKeyboardSelection(record);
    }
    return taken;
}

forms::NativeHandle NotifyIconShell::trayIcon() const {
    return reinterpret_cast<forms::NativeHandle>(icon_.get());
}

bool NotifyIconShell::scheduleRetry(forms::NativeHandle window) {
    if (SetTimer(forms::win32::fromInteger<HWND>(window), kRetryTimerId, kRetryPauseMs, nullptr)) {
        return true;
    }
    forms::win32::trace("tray retry timer not set (system error " + std::to_string(GetLastError()) +
                        ")");
    return false;
}

bool NotifyIconShell::showBalloon(const TrayRecord& icon, const std::string& title,
                                  const std::string& text) {
    NOTIFYICONDATAA data{};
    data.cbSize = kRecordSize;
    data.hWnd = forms::win32::fromInteger<HWND>(icon.hWnd);
    data.uID = icon.uID;
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = NIIF_WARNING;
    copyField(data.szInfoTitle, title);
    copyField(data.szInfo, text);
    forms::win32::trace("tray balloon \"" + title + "\"");
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

void NotifyIconShell::cancelRetry(forms::NativeHandle window) {
    KillTimer(forms::win32::fromInteger<HWND>(window), kRetryTimerId);
}

}  // namespace tray::win32
