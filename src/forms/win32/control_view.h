#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "forms/controls.h"
#include "forms/toolkit.h"
#include "forms/win32/accessibility.h"
#include "forms/win32/handles.h"
#include "forms/win32/newer_windows.h"

namespace forms::win32 {

// The resolution a form's window is drawn at and the font of its controls.
// The form window owns it and changes it when the window's DPI changes; the
// views read it whenever they place or draw a control.
struct ViewScale {
    int dpi = kDefaultDpi;
    HFONT font = nullptr;
};

// What every control's view is built with.
struct ViewContext {
    HINSTANCE instance = nullptr;
    HWND form = nullptr;    // the form's own window: shapes paint on it
    HWND parent = nullptr;  // the form's window, or the window of the control's frame
    const ViewScale* scale = nullptr;
    Accessibility* accessibility = nullptr;
    int id = 0;
};

// The on-screen mirror of one control. The same small surface for every kind:
// built from the model's design values, brought up to the model's state on
// each notification, and turning the user's click into one model call.
class ControlView {
  public:
    virtual ~ControlView() = default;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    // Caption, value, enabled state and geometry as the model has them now.
    virtual void mirror() = 0;
    // A notification code its child window sent: a click (BN_CLICKED, and
    // STN_CLICKED, which is the same code) becomes the one model call. It may
    // unload the form, and this view with it.
    virtual void notified(int code);
    // The child window; nullptr for a control drawn on the form's surface.
    virtual HWND window() const { return nullptr; }
    // Draws a windowless control on the form's surface.
    virtual void paint(HDC /*dc*/) const {}

    Control& control() const { return control_; }

  protected:
    explicit ControlView(Control& control) : control_(control) {}

  private:
    Control& control_;
};

// The real child window behind a control: created from the model's values, its caption, enabled
// state and place kept in step with the model, and read by screen readers
// with whatever the model says of the control beyond its caption.
class ChildWindow {
  public:
    ChildWindow(const char* windowClass, DWORD style, DWORD exStyle, const Control& control,
                const ViewContext& context);
    ~ChildWindow();
    ChildWindow(const ChildWindow&) = delete;
    ChildWindow& operator=(const ChildWindow&) = delete;

    HWND get() const { return window_.get(); }
    void mirror(const Control& control);

  private:
    static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);

    AccessibleWindow accessible_;
    Toolkit& toolkit_;  // reports what a reader's question lets out
    OwnedWindow window_;
    const ViewScale& scale_;
};

// The view of a control that is one child window and nothing more: a
// command button (never the default push button: Enter presses nothing), a
// label (wrapped text, shown as written: no access keys) or a picture box (a
// sunken, empty area). The views of the other kinds add to it.
class WindowedView : public ControlView {
  public:
    WindowedView(Control& control, const char* windowClass, DWORD style, DWORD exStyle,
                 const ViewContext& context)
        : ControlView(control), window_(windowClass, style, exStyle, control, context) {}
    void mirror() override { window_.mirror(control()); }
    HWND window() const override { return window_.get(); }

  private:
    ChildWindow window_;
};

// A form window's views, one per control, frames first.
using ControlViews = std::vector<std::unique_ptr<ControlView>>;
// Fills `views` with a view of every control of `form`, their child windows
// stacked as the form lists them; each is built with `context`, given its
// own parent and id.
void createControlViews(const Form& form, ViewContext context, ControlViews& views);
// The view of a control, or the one whose child window that is; nullptr when none.
ControlView* viewOf(const ControlViews& views, const Control* control);
ControlView* viewOf(const ControlViews& views, HWND window);

}  // namespace forms::win32
