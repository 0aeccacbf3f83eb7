#include <windows.h>

#include "card/win32/escape_channel.h"

// Until the resident program exists: create the setup window's class and a
// hidden window of it, send one command through it, and end.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "QuendaSetup";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "QuendaSetup", "Orvix", WS_OVERLAPPEDWINDOW, 0, 0, 120, 414,
                                  nullptr, nullptr, instance, nullptr);
    card::win32::EscapeChannel channel;
    channel.send(reinterpret_cast<forms::NativeHandle>(window),
                 card::DriverCommand::DRV_FILTER_MEDIUM);
    DestroyWindow(window);
    return 0;
}
