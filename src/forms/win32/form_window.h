#pragma once

#include <windows.h>

#include "forms/form.h"
#include "forms/win32/control_view.h"
#include "forms/win32/handles.h"
#include "forms/win32/keyboard_focus.h"
#include "forms/win32/window_placement.h"

namespace forms::win32 {

// The real window of one loaded form, with one child window per control.
// It mirrors the model and hands the user's actions back to it: a click is
// one model call, the close box is Form::closeBox, and the keyboard moves
// through the model's tab order. Any of these may unload the form and so
// destroy this object, so nothing is touched after handing over.
// The child windows, their font and the window's icons are built, and the
// window is placed, once the message loop runs, or when the window is first
// shown if that is sooner: loading a hidden form (the setup window at
// start-up) needs only its window and device context, and a window not yet
// shown has no child that a click could reach.
// Its place and size are a WindowPlacement's, its keyboard a KeyboardFocus's.
class FormWindow final : public FormView {
  public:
    FormWindow(Form& form, HINSTANCE instance, Accessibility& accessibility);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    void formChanged() override;
    void controlChanged(const Control& control) override;
    NativeHandle handle() const override;
    void activate() override;

    // The form window behind a top-level window; nullptr for any other window.
    static FormWindow* fromWindow(HWND window);
    bool handleKey(const MSG& message) { return focus_.handleKey(message); }

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void createWindow(HINSTANCE instance);
    void loadIcons();
    void buildControlViews();
    void changeScale(int dpi);
    void createControlViews(HINSTANCE instance);
    void stackControls() const;
    void paintSurface(HDC dc) const;
    void repaintAll() const;

    Form& form_;
    HINSTANCE instance_;
    Accessibility& accessibility_;
    ViewScale scale_;
    GdiObject<HFONT> font_;
    OwnedWindow owner_;
    OwnedWindow window_;
    OwnedIcon bigIcon_;
    OwnedIcon smallIcon_;
    ControlViews views_;
    bool viewsBuilt_ = false;
    WindowPlacement placement_{form_, window_, scale_};
    KeyboardFocus focus_{form_, window_, views_};
};

}  // namespace forms::win32
