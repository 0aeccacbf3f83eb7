#include <windows.h>

#include <commctrl.h>

// The yardstick for the resident program's figures: the least a tray program
// can do. One hidden window, one tray icon on the same callback message, and
// a small window with an "Exit" button shown on a left-button press, created
// hidden at start-up as the real setup window is. Built a second time with
// the program's manifest and the common controls it asks for
// (QUENDA_BENCH_COMMON_CONTROLS), to tell their cost from the program's own.

namespace {

constexpr UINT kTrayCallbackMsg = WM_USER + 1;
constexpr UINT kTrayIconId = 100;
constexpr int kExitButtonId = 1;
constexpr const char* kPopUpClass = "QuendaBenchPopUp";
constexpr const char* kSetupClass = "QuendaBenchSetup";

NOTIFYICONDATAA iconRecord(HWND popUp) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = popUp;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallbackMsg;
    data.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
    lstrcpynA(data.szTip, "Baseline tray program", sizeof data.szTip);
    return data;
}

LRESULT CALLBACK setupProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kExitButtonId) {
        NOTIFYICONDATAA data = iconRecord(GetWindow(window, GW_OWNER));
        OutputDebugStringA("Quenda bench: tray delete");
        Shell_NotifyIconA(NIM_DELETE, &data);
        PostQuitMessage(0);
        return 0;
    }
    if (message == WM_CLOSE) {
        ShowWindow(window, SW_HIDE);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK popUpProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTrayCallbackMsg && lParam == WM_LBUTTONDOWN) {
        // NOLINTNEXTLINE(performance-no-int-to-ptr): the window keeps its setup window there
        auto setup = reinterpret_cast<HWND>(GetWindowLongPtrA(window, GWLP_USERDATA));
        ShowWindow(setup, SW_SHOWNORMAL);
        SetForegroundWindow(setup);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void registerClass(HINSTANCE instance, const char* name, WNDPROC procedure) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    // NOLINTNEXTLINE(performance-no-int-to-ptr): a system colour index stands for its brush
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

HWND createSetupWindow(HINSTANCE instance, HWND owner) {
    HWND setup =
        CreateWindowExA(0, kSetupClass, "Baseline", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0, 0,
                        160, 120, owner, nullptr, instance, nullptr);
    // A child window's id goes where a menu would.
    auto exitId = reinterpret_cast<HMENU>(  // NOLINT(performance-no-int-to-ptr)
        static_cast<INT_PTR>(kExitButtonId));
    CreateWindowExA(0, "BUTTON", "Exit", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 100, 28,
                    setup, exitId, instance, nullptr);
    return setup;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
#ifdef QUENDA_BENCH_COMMON_CONTROLS
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
#endif
    registerClass(instance, kPopUpClass, popUpProcedure);
    registerClass(instance, kSetupClass, setupProcedure);
    HWND popUp =
        CreateWindowExA(0, kPopUpClass, "", 0, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    SetWindowLongPtrA(popUp, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(createSetupWindow(instance, popUp)));

    NOTIFYICONDATAA data = iconRecord(popUp);
    OutputDebugStringA("Quenda bench: tray add \"Baseline tray program\"");
    Shell_NotifyIconA(NIM_ADD, &data);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
