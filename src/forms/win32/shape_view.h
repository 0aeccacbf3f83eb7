#pragma once

#include "forms/win32/control_view.h"

namespace forms::win32 {

// A rectangle drawn on the form's own surface, behind every child window,
// with a solid fill and the toolkit's one-pixel outline. A move repaints
// where it was and where it is now.
class ShapeView final : public ControlView {
  public:
    ShapeView(Shape& shape, const ViewContext& context);
    void mirror() override;
    void paint(HDC dc) const override;

  private:
    RECT where() const;

    Shape& shape_;
    HWND form_;
    const ViewScale& scale_;
    RECT shown_{};
    GdiObject<HBRUSH> fill_;
};

}  // namespace forms::win32
