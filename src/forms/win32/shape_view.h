#pragma once

#include "forms/form.h"
#include "forms/win32/control_view.h"

namespace forms::win32 {

// A rectangle drawn on the form's own surface, behind every child window,
// with a solid fill and the toolkit's one-pixel outline; in high contrast,
// in the system's colours (see shape_colours.h). A move repaints where it
// was and where it is now.
// A shape the model names gets a window of its own over it, so that a
// screen reader can find it, read it and point at it: the window has no
// look of its own and shows the form's surface beneath it.
class ShapeView final : public ControlView {
  public:
    ShapeView(Shape& shape, const ViewContext& context);
    ShapeView(const ShapeView&) = delete;
    ShapeView& operator=(const ShapeView&) = delete;
    ~ShapeView() override;

    void mirror() override;
    void paint(HDC dc) const override;
    HWND window() const override { return window_.get(); }

  private:
    template <typename Object>
    friend LRESULT CALLBACK ownWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    Toolkit& toolkit() const { return shape_.owner().toolkit(); }
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT failed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    void createWindow();
    void showSurfaceBeneath(HWND window, HDC dc) const;
    RECT where() const;

    Shape& shape_;
    HINSTANCE instance_;
    HWND form_;
    const ViewScale& scale_;
    RECT shown_{};
    AccessibleWindow accessible_;
    OwnedWindow window_;
};

}  // namespace forms::win32
