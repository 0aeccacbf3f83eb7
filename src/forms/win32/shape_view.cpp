#include "forms/win32/shape_view.h"

#include <algorithm>

#include "forms/form.h"
#include "forms/shape_colours.h"
#include "forms/twips.h"
#include "forms/win32/own_windows.h"
#include "forms/win32/program_names.h"
#include "forms/win32/system_call.h"

namespace forms::win32 {

namespace {

COLORREF colorOf(Rgb rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

Rgb rgbOf(COLORREF colour) {
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

bool highContrastOn() {
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) != FALSE &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

ShapeView::ShapeView(Shape& shape, const ViewContext& context)
    : ControlView(shape),
      shape_(shape),
      instance_(context.instance),
      form_(context.form),
      scale_(*context.scale),
      accessible_(*context.accessibility, shape) {
    if (!shape_.accessible().name.empty()) {
        createWindow();
    }
}

ShapeView::~ShapeView() {
    if (IsWindow(window_.get()) != FALSE) {
        SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
    }
}

void ShapeView::createWindow() {
    const char* shapeClass = programNames().shapeClass;
    registerWindowClass(instance_, shapeClass, ownWindowProc<ShapeView>);
    // It shows no caption: readers have the name from the model.
    const RECT at = where();
    window_.reset(checked(
        CreateWindowExA(0, shapeClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, at.left, at.top,
                        at.right - at.left, at.bottom - at.top, form_, nullptr, instance_, this),
        "Could not create the window of " + shape_.name()));
}

LRESULT ShapeView::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETOBJECT:
            if (const LRESULT answer = accessible_.answer(window, wParam, lParam)) {
                return answer;
            }
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            showSurfaceBeneath(window, beginPaint(window).get());
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The form draws its surface, this shape and any in front of it included,
// into the window's own device context.
void ShapeView::showSurfaceBeneath(HWND window, HDC dc) const {
    POINT origin{0, 0};
    MapWindowPoints(window, form_, &origin, 1);
    SetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
    SendMessageA(form_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
}

RECT ShapeView::where() const {
    const PixelRect at = toPixels(shape_.geometry(), scale_.dpi);
    return {at.left, at.top, at.left + at.width, at.top + at.height};
}

void ShapeView::mirror() {
    if (window_.get() == nullptr && !shape_.accessible().name.empty()) {
        createWindow();
    }
    const RECT now = where();
    if (EqualRect(&now, &shown_) == FALSE) {
        // The window of a named shape lies over the surface, so it is
        // repainted with it.
        constexpr UINT kRepaint = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN;
        RedrawWindow(form_, &shown_, nullptr, kRepaint);
        RedrawWindow(form_, &now, nullptr, kRepaint);
        shown_ = now;
        if (window_.get() != nullptr) {
            SetWindowPos(window_.get(), nullptr, now.left, now.top, now.right - now.left,
                         now.bottom - now.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    accessible_.announceChanges(window_.get());
}

void ShapeView::paint(HDC dc) const {
    const ShapePaint colours =
        shapePaint(shape_, {rgbOf(GetSysColor(COLOR_WINDOW)), rgbOf(GetSysColor(COLOR_WINDOWTEXT))},
                   highContrastOn());
    const RECT at = where();
    const int outline = colours.heavyOutline ? std::max(2, MulDiv(2, scale_.dpi, kDefaultDpi)) : 1;
    const GdiObject<HPEN> pen(CreatePen(PS_INSIDEFRAME, outline, colorOf(colours.outline)));
    const auto penSelection = selectInto(dc, pen.get());
    const auto brush = selectInto(dc, GetStockObject(DC_BRUSH));
    SetDCBrushColor(dc, colorOf(colours.fill));
    Rectangle(dc, at.left, at.top, at.right, at.bottom);
}

}  // namespace forms::win32
