#include "tray/tray_window_procedure.h"

namespace tray {

void deliverShellMessage(const ShellMessages& messages, ShellEvents& events, unsigned uMsg,
                         std::uintptr_t wParam, std::intptr_t lParam) {
    if (uMsg == messages.trayCallback) {
        if (opensSetupWindow(lParam)) {
            events.openSetupWindow();
        }
    } else if (uMsg == kAnotherStartMessage) {
        events.openSetupWindow();
    } else if (uMsg == messages.taskbarCreated && messages.taskbarCreated != 0) {
        events.taskbarCreated();
    } else if (uMsg == kRetryMessage && wParam == kRetryTimerId) {
        events.retryTimer();
    } else if (uMsg == kEndSessionMessage && wParam != 0) {
        events.sessionEnding();
    }
}

}  // namespace tray
