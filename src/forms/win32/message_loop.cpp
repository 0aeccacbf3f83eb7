#include "forms/win32/message_loop.h"

#include "forms/win32/form_window.h"

namespace forms::win32 {

bool handleDialogKeys(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.hwnd == nullptr) {
        return false;
    }
    FormWindow* window = FormWindow::fromWindow(GetAncestor(message.hwnd, GA_ROOT));
    return window != nullptr && window->handleKey(message);
}

void deliver(const MSG& message) {
    if (handleDialogKeys(message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

}  // namespace forms::win32
