#include "forms/win32/shape_view.h"

#include "forms/twips.h"

namespace forms::win32 {

ShapeView::ShapeView(Shape& shape, const ViewContext& context)
    : ControlView(shape),
      shape_(shape),
      form_(context.form),
      scale_(*context.scale),
      fill_(CreateSolidBrush(RGB(shape.fill().red, shape.fill().green, shape.fill().blue))) {}

RECT ShapeView::where() const {
    const PixelRect at = toPixels(shape_.geometry(), scale_.dpi);
    return {at.left, at.top, at.left + at.width, at.top + at.height};
}

void ShapeView::mirror() {
    const RECT now = where();
    if (EqualRect(&now, &shown_) != FALSE) {
        return;
    }
    InvalidateRect(form_, &shown_, TRUE);
    InvalidateRect(form_, &now, TRUE);
    shown_ = now;
}

void ShapeView::paint(HDC dc) const {
    const RECT at = where();
    const Selection brush(dc, fill_.get());
    const Selection pen(dc, GetStockObject(DC_PEN));
    SetDCPenColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    Rectangle(dc, at.left, at.top, at.right, at.bottom);
}

}  // namespace forms::win32
