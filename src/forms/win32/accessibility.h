#pragma once

#include <windows.h>

#include <optional>

#include "forms/controls.h"
#include "forms/win32/handles.h"

namespace forms::win32 {

class AccessibleObject;

// What a screen reader needs from the system libraries that the program does
// not otherwise use. They are loaded at the first question a reader asks,
// so a start-up that nobody reads pays nothing for them, and stay for the
// life of the process once loaded.
class Accessibility {
  public:
    Accessibility() = default;
    ~Accessibility();
    Accessibility(const Accessibility&) = delete;
    Accessibility& operator=(const Accessibility&) = delete;

    // False when the libraries cannot be had: the system's own objects then
    // answer for every window.
    bool ready();

    using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, IUnknown*);
    using CreateStdAccessibleObjectFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    using SysAllocStringFn = BSTR(WINAPI*)(const OLECHAR*);

    LresultFromObjectFn LresultFromObject = nullptr;
    CreateStdAccessibleObjectFn CreateStdAccessibleObject = nullptr;
    SysAllocStringFn SysAllocString = nullptr;

  private:
    struct Libraries {
        Libraries()
            : ole32(LoadLibraryA("ole32.dll")),
              oleaut32(LoadLibraryA("oleaut32.dll")),
              oleacc(LoadLibraryA("oleacc.dll")) {}
        LoadedLibrary ole32;
        LoadedLibrary oleaut32;
        LoadedLibrary oleacc;
    };
    std::optional<Libraries> libraries_;  // once a reader has asked
    bool ready_ = false;
    bool apartment_ = false;
};

// One control's window as a screen reader reads it: the system's own object
// for the window, with the name, description and value the model gives the
// control in place of the system's where it gives one, a shape read as a
// read-only graphic, and a control outside the client area read as
// invisible and off screen. It also tells readers when the model changes
// one of those texts. Kept by the control's view; a reader that still holds the
// object once the view is gone gets the system's answers, or none.
class AccessibleWindow {
  public:
    AccessibleWindow(Accessibility& accessibility, const Control& control);
    ~AccessibleWindow();
    AccessibleWindow(const AccessibleWindow&) = delete;
    AccessibleWindow& operator=(const AccessibleWindow&) = delete;

    // The reply to WM_GETOBJECT; 0 leaves the answer to the system, for
    // another part of the window than its client, or when the libraries
    // cannot be had.
    LRESULT answer(HWND window, WPARAM flags, LPARAM objectId);
    // Raises the name, description and value change events for what changed
    // in the model since the last call.
    void announceChanges(HWND window);

  private:
    Accessibility& accessibility_;
    const Control& control_;
    AccessibleObject* object_ = nullptr;
    AccessibleText announced_;
};

}  // namespace forms::win32
