#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace forms::win32 {

// Window messages, window data and a few window-class fields carry handles
// and pointers as integers; this is the one place they turn back.
template <typename Pointer, typename Integer>
Pointer fromInteger(Integer value) {
    return reinterpret_cast<Pointer>(value);  // NOLINT(performance-no-int-to-ptr)
}

// Every handle the program owns: released once, when its owner goes, by the
// release its kind names (which carries what else the release needs, such as
// a device context's window); movable, never copied.
template <typename Handle, typename Release>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, Release>;

// The release of a handle that needs only itself.
template <auto Function>
struct ReleasedBy {
    void operator()(auto handle) const noexcept { Function(handle); }
};

// A window this program created. A child already destroyed with its parent
// is left alone.
inline void destroyWindowIfThere(HWND window) {
    if (IsWindow(window) != FALSE) {
        DestroyWindow(window);
    }
}
using OwnedWindow = Owned<HWND, ReleasedBy<destroyWindowIfThere>>;
// A font, brush or pen this program created.
template <typename Handle>
using GdiObject = Owned<Handle, ReleasedBy<DeleteObject>>;
using OwnedIcon = Owned<HICON, ReleasedBy<DestroyIcon>>;
// A system library loaded by name; null when it could not be loaded.
using LoadedLibrary = Owned<HMODULE, ReleasedBy<FreeLibrary>>;
// A kernel object (mutex, process) this program opened.
using OwnedHandle = Owned<HANDLE, ReleasedBy<CloseHandle>>;

// A window's device context (the whole screen's for no window), taken for
// one use and released after it.
struct ReleaseFromWindow {
    HWND window;
    void operator()(HDC dc) const noexcept { ReleaseDC(window, dc); }
};
using WindowDC = Owned<HDC, ReleaseFromWindow>;
inline WindowDC windowDC(HWND window) {
    return {GetDC(window), {window}};
}

// The device context of one WM_PAINT.
struct EndPaintOf {
    HWND window;
    PAINTSTRUCT paint;
    void operator()(HDC /*dc*/) const noexcept { EndPaint(window, &paint); }
};
inline Owned<HDC, EndPaintOf> beginPaint(HWND window) {
    EndPaintOf end{window, {}};
    HDC dc = BeginPaint(window, &end.paint);
    return {dc, end};
}

// A GDI object selected into a device context for one scope: what it
// displaced goes back.
struct SelectBackInto {
    HDC dc;
    void operator()(HGDIOBJ previous) const noexcept { SelectObject(dc, previous); }
};
inline Owned<HGDIOBJ, SelectBackInto> selectInto(HDC dc, HGDIOBJ object) {
    return {SelectObject(dc, object), {dc}};
}

}  // namespace forms::win32
