#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "forms/form.h"
#include "forms/tab_order.h"
#include "forms/win32/control_view.h"
#include "forms/win32/handles.h"

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
// form_window.cpp builds the window and its children and takes its messages;
// form_window_placement.cpp keeps its place and size at the display's DPI;
// form_window_focus.cpp moves the keyboard through it.
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
    // Tab, Shift+Tab, the arrows within an option group, and Enter and Escape
    // (which do nothing). True when the key was used up.
    bool handleKey(const MSG& message);

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void createWindow(HINSTANCE instance);
    void loadIcons();
    void buildControlViews();
    void placeWindow();
    void changeScale(int dpi);
    void moveToNewDpi(int dpi, const RECT* suggested);
    void createControlViews(HINSTANCE instance);
    void stackControls() const;
    ControlView* viewOf(const Control* control) const;
    ControlView* viewOf(HWND window) const;
    Control* focusedControl() const;

    void focus(const Control* control);
    void focusOrFirst(HWND preferred);
    void keepFocusInView();
    void moveByTab(Direction direction);
    bool moveInGroup(Direction direction);
    void keepUsersPosition();
    void bringIntoWorkArea();
    void restoreIfMinimised() const;
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
    std::vector<std::unique_ptr<ControlView>> views_;
    bool viewsBuilt_ = false;
    HWND lastFocus_ = nullptr;
    // The child window the user last clicked or pressed: where the focus
    // goes when the window narrows under it. Only ever compared, so it may
    // outlive its window.
    HWND lastActedOn_ = nullptr;
    // Focus given by code, not a click: an option button that gains the focus
    // reports a click, which must not select it.
    bool focusing_ = false;
    // Our own moves, not the user's.
    bool placing_ = false;
    // The model taking the place the window already has.
    bool adopting_ = false;
};

}  // namespace forms::win32
