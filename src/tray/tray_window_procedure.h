#pragma once

#include <cstdint>

#include "tray/tray_record.h"

namespace tray {

// The Windows message numbers the start-up window hears from the shell. The
// Win32 hook checks each against the system's own definitions.

// WM_LBUTTONDOWN, as the shell reports a left-button press over the icon.
inline constexpr std::intptr_t kLeftButtonDown = 513;
// With the version-3 tray behaviour the shell also reports a mouse selection
// (NIN_SELECT, WM_USER) and the keyboard's Enter or Space on the icon
// (NIN_KEYSELECT, WM_USER + 1). Without them a keyboard user would only ever
// reach the icon's right press, which does nothing, and could never open the
// setup window.
inline constexpr std::intptr_t kSelect = 0x400;
inline constexpr std::intptr_t kKeySelect = 0x401;
// WM_TIMER: the message a scheduled retry of the icon add arrives as, with
// kRetryTimerId in wParam.
inline constexpr unsigned kRetryMessage = 0x0113;
inline constexpr unsigned kRetryTimerId = 1;
// WM_ENDSESSION: the user's session ends when wParam is non-zero.
inline constexpr unsigned kEndSessionMessage = 0x0016;

// A later start of the program asks the resident copy to open its setup
// window with this message (WM_USER + 2). It is sent, not posted, so that
// the answer tells the later start whether the window opens, or whether the
// copy is ending and will open nothing, in which case the later start takes
// its place once it has gone.
inline constexpr unsigned kAnotherStartMessage = 0x0402;
inline constexpr std::intptr_t kResidentOpens = 1;
inline constexpr std::intptr_t kResidentEnding = 2;

// The tray reports that open the setup window.
constexpr bool opensSetupWindow(std::intptr_t trayEvent) {
    return trayEvent == kLeftButtonDown || trayEvent == kSelect || trayEvent == kKeySelect;
}

// What the shell, or a later start, tells the start-up window, one named
// call each. frmPopUp answers them; the hooked window procedure is the one
// place they come from.
class ShellEvents {
  public:
    virtual ~ShellEvents() = default;
    // A left-button press over the icon, its selection by mouse or keyboard,
    // or a later start of the program.
    virtual void openSetupWindow() = 0;
    // Exit has begun: nothing that arrives from now on acts.
    virtual bool ending() const = 0;
    // The task bar started (again), perhaps without our icon.
    virtual void taskbarCreated() = 0;
    // The pause after a failed icon add is over.
    virtual void retryTimer() = 0;
    // The user's session is ending.
    virtual void sessionEnding() = 0;
};

// The two message numbers that are not fixed: the tray callback is the
// program's own choice and "TaskbarCreated" is registered at run time.
struct ShellMessages {
    unsigned trayCallback = TRAY_CALLBACK_MSG;
    unsigned taskbarCreated = 0;
};

// The whole rule of the hooked window procedure, apart from passing every
// message on: a message to the start-up window that the shell or a later
// start sent goes to frmPopUp as the named call it stands for; every other
// message means nothing here.
void deliverShellMessage(const ShellMessages& messages, ShellEvents& events, unsigned uMsg,
                         std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace tray
