#include "forms/win32/win32_platform.h"

#include <commctrl.h>

#include <string>

#include "forms/win32/debug_trace.h"
#include "forms/win32/form_window.h"
#include "forms/win32/message_loop.h"
#include "forms/win32/program_names.h"

namespace forms::win32 {

Win32Platform::Win32Platform(HINSTANCE instance) : instance_(instance) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
}

std::unique_ptr<FormView> Win32Platform::createView(Form& form) {
    return std::make_unique<FormWindow>(form, instance_, accessibility_);
}

void Win32Platform::dispatchPendingMessages() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        if (message.message == WM_QUIT) {
            // Left for the loop that owns the program's end.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        deliver(message);
    }
}

void Win32Platform::endProcess() {
    ExitProcess(0);
}

void MessageBoxErrors::report(const RuntimeError& error) {
    const std::string number = std::to_string(static_cast<int>(error.number()));
    trace("error " + number + " " + error.what());
    const std::string text = "Run-time error '" + number + "':\n\n" + error.what();
    MessageBoxA(GetActiveWindow(), text.c_str(), programNames().messageTitle,
                MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace forms::win32
