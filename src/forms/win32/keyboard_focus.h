#pragma once

#include <windows.h>

#include "forms/form.h"
#include "forms/tab_order.h"
#include "forms/win32/control_view.h"

namespace forms::win32 {

// What a form window's keyboard reads of it: the window, and the view of a
// control or of a child window (nullptr for none).
class ViewedWindow {
  public:
    virtual HWND window() const = 0;
    virtual ControlView* viewOf(const Control* control) const = 0;
    virtual ControlView* viewOf(HWND child) const = 0;

  protected:
    ~ViewedWindow() = default;
};

// The keyboard in a form window: where the focus goes on a show, on coming
// back to the window and when the window narrows, and Tab, Shift+Tab and the
// arrows through the model's tab order, which holds only the controls in view.
class KeyboardFocus {
  public:
    KeyboardFocus(Form& form, const ViewedWindow& window) : form_(form), window_(window) {}

    void toFirst() { focus(nextTabStop(form_, nullptr, Direction::Forward)); }
    // The window is left (WM_ACTIVATE inactive), and has the focus back (WM_SETFOCUS).
    void windowLeft() { lastFocus_ = window_.viewOf(GetFocus()) ? GetFocus() : lastFocus_; }
    void windowFocused() { focusOrFirst(lastFocus_); }
    // A control's notification: false when it is no act of the user's.
    bool actedOn(const ControlView& view);
    void keepInView();
    // Tab, Shift+Tab, the arrows within an option group, and Enter and Escape
    // (which do nothing). True when the key was used up.
    bool handleKey(const MSG& message);

  private:
    Control* focusedControl() const;
    void focus(const Control* control);
    void focusOrFirst(HWND preferred);
    void moveByTab(Direction direction);
    bool moveInGroup(Direction direction);

    Form& form_;
    const ViewedWindow& window_;
    HWND lastFocus_ = nullptr;
    // The child window the user last clicked or pressed: where the focus
    // goes when the window narrows under it. Only ever compared, so it may
    // outlive its window.
    HWND lastActedOn_ = nullptr;
    // Focus given by code, not a click: an option button that gains the focus
    // reports a click, which must not select it.
    bool focusing_ = false;
};

}  // namespace forms::win32
