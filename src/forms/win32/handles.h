#pragma once

#include <windows.h>

namespace forms::win32 {

// Window messages, window data and a few window-class fields carry handles
// and pointers as integers; this is the one place they turn back.
template <typename Pointer, typename Integer>
Pointer fromInteger(Integer value) {
    return reinterpret_cast<Pointer>(value);  // NOLINT(performance-no-int-to-ptr)
}

// A window this program created, destroyed with the object that owns it.
// A child already destroyed with its parent is left alone.
class OwnedWindow {
  public:
    OwnedWindow() = default;
    explicit OwnedWindow(HWND window) : window_(window) {}
    ~OwnedWindow() { reset(); }
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;

    HWND get() const { return window_; }
    void reset(HWND window = nullptr) {
        if (window_ != nullptr && IsWindow(window_) != FALSE) {
            DestroyWindow(window_);
        }
        window_ = window;
    }

  private:
    HWND window_ = nullptr;
};

// A font, brush or pen this program created.
template <typename Handle>
class GdiObject {
  public:
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() {
        if (handle_ != nullptr) {
            DeleteObject(handle_);
        }
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle get() const { return handle_; }

  private:
    Handle handle_;
};

class OwnedIcon {
  public:
    explicit OwnedIcon(HICON icon) : icon_(icon) {}
    ~OwnedIcon() {
        if (icon_ != nullptr) {
            DestroyIcon(icon_);
        }
    }
    OwnedIcon(const OwnedIcon&) = delete;
    OwnedIcon& operator=(const OwnedIcon&) = delete;

    HICON get() const { return icon_; }

  private:
    HICON icon_;
};

// A system library loaded by name, freed with its owner; null when it
// could not be loaded.
class LoadedLibrary {
  public:
    explicit LoadedLibrary(const char* name) : module_(LoadLibraryA(name)) {}
    ~LoadedLibrary() {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    HMODULE get() const { return module_; }

  private:
    HMODULE module_;
};

// A window's device context, taken for one use and released after it.
class WindowDC {
  public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// A kernel object (mutex, process) this program opened.
class OwnedHandle {
  public:
    explicit OwnedHandle(HANDLE handle = nullptr) : handle_(handle) {}
    ~OwnedHandle() { reset(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    HANDLE get() const { return handle_; }
    void reset(HANDLE handle = nullptr) {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
        }
        handle_ = handle;
    }

  private:
    HANDLE handle_;
};

// The whole screen's device context, for what the display reports.
class ScreenDC {
  public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() { ReleaseDC(nullptr, dc_); }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;

    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

// The device context of one WM_PAINT.
class PaintDC {
  public:
    explicit PaintDC(HWND window) : window_(window) { dc_ = BeginPaint(window_, &paint_); }
    ~PaintDC() { EndPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    HDC get() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects a GDI object into a device context for one scope.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace forms::win32
