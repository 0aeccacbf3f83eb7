#pragma once

#include <windows.h>

#include <string>

#include "forms/win32/handles.h"
#include "forms/win32/system_call.h"

namespace forms::win32 {

// The window classes of our own windows, registered once per process on
// first use, with the form's face as their background.
inline void registerWindowClass(HINSTANCE instance, const std::string& name, WNDPROC procedure) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(instance, name.c_str(), &windowClass) != FALSE) {
        return;
    }
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = fromInteger<HBRUSH>(INT_PTR{COLOR_BTNFACE + 1});
    windowClass.lpszClassName = name.c_str();
    checked(RegisterClassExA(&windowClass), "Could not register the window class " + name);
}

// The object a window of ours was created for (CreateWindowExA's last
// argument), kept in the window's data from its first message; null before
// that and once the object has let the window go.
template <typename Object>
Object* objectOfWindow(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = fromInteger<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    return fromInteger<Object*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

}  // namespace forms::win32
