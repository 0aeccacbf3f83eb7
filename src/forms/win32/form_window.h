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
// Its place and size are a WindowPlacement's, its keyboard a KeyboardFocus's;
// each reads what it needs of the window, and the window alone changes it.
class FormWindow final : public FormView, private PlacedWindow, private ViewedWindow {
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
    template <typename Object>
    friend LRESULT CALLBACK ownWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    Toolkit& toolkit() const { return form_.toolkit(); }
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // kept on purpose: a message that failed is answered 0, not by the
    // default procedure, whose answer to a close would destroy the window
    // under a form that is still loaded.
    static LRESULT failed(HWND, UINT, WPARAM, LPARAM) { return 0; }

    HWND window() const override { return window_.get(); }
    int dpi() const override { return scale_.dpi; }
    ControlView* viewOf(const Control* control) const override {
        return win32::viewOf(views_, control);
    }
    ControlView* viewOf(HWND child) const override { return win32::viewOf(views_, child); }

    void createWindow(HINSTANCE instance);
    void loadIcons();
    void buildControlViews();
    void changeScale(int dpi);
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
    WindowPlacement placement_{form_, *this};
    KeyboardFocus focus_{form_, *this};
};

}  // namespace forms::win32
