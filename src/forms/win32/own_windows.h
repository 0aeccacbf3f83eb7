#pragma once

#include <windows.h>

#include <string>

#include "forms/toolkit.h"
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

// A window's creation and destruction messages mean something only when the
// system sends them as the window is made or goes, but any program can send
// or post them to a window of ours. The window's own state tells the real
// ones: its object is attached at its one real creation, while nothing is
// attached yet, and let go by the object itself before it destroys the
// window, so a window that still has its object is neither being created
// nor destroyed. Whether a message came from another thread cannot tell
// them: a real one also comes while we answer another program's message
// (the end of the session, say). Only WM_CREATE, which the state cannot
// tell, is refused for coming from another thread: a real one refused so
// loses nothing, as neither we nor the default procedure act on it. A
// made-up message gets nothing, not even the default procedure, which would
// take a caption from a made-up creation.
inline bool madeUpLifecycleMessage(HWND window, UINT message) {
    const bool attached = GetWindowLongPtrA(window, GWLP_USERDATA) != 0;
    switch (message) {
        case WM_NCCREATE:
        case WM_DESTROY:
        case WM_NCDESTROY:
            return attached;
        case WM_CREATE:
            return InSendMessageEx(nullptr) != ISMEX_NOSEND;
        default:
            return false;
    }
}

// Every window procedure of ours. The window keeps its object (CreateWindowExA's
// last argument) from its first message; before that, and once the object has
// let it go, the default procedure answers. The object's `handleMessage`
// answers inside the guard, and its `failed` for what that lets out.
template <typename Object>
LRESULT CALLBACK ownWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (madeUpLifecycleMessage(window, message)) {
        return 0;
    }
    if (message == WM_NCCREATE) {
        const auto* create = fromInteger<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = fromInteger<Object*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return atEdge(
        self->toolkit().errors(),
        [&] { return self->handleMessage(window, message, wParam, lParam); },
        [&] { return self->failed(window, message, wParam, lParam); });
}

}  // namespace forms::win32
