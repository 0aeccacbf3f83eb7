#include "forms/window_size.h"

#include <algorithm>

#include "forms/twips.h"

namespace forms {

float clientWidthTwips(const Form& form) {
    if (!form.widthIsSet()) {
        return form.design().clientWidth;
    }
    return std::max(0.0F, form.Width() - kToolkitFrameTwips);
}

bool liesInClientArea(const Control& control) {
    Geometry at = control.geometry();
    if (const Frame* frame = control.container()) {
        at.left += frame->geometry().left;
        at.top += frame->geometry().top;
    }
    const Form& form = control.owner();
    return at.left >= 0 && at.top >= 0 && at.left + at.width <= clientWidthTwips(form) &&
           at.top + at.height <= form.design().clientHeight;
}

namespace {

int fitEdge(int edge, int size, int areaEdge, int areaSize) {
    return std::clamp(edge, areaEdge, std::max(areaEdge, areaEdge + areaSize - size));
}

// The work area clipped to the monitor; the whole monitor when the two no
// longer overlap at all.
PixelRect usableArea(PixelRect monitor, PixelRect work) {
    const int left = std::max(monitor.left, work.left);
    const int top = std::max(monitor.top, work.top);
    const int right = std::min(monitor.left + monitor.width, work.left + work.width);
    const int bottom = std::min(monitor.top + monitor.height, work.top + work.height);
    if (right <= left || bottom <= top) {
        return monitor;
    }
    return {left, top, right - left, bottom - top};
}

}  // namespace

PixelRect fitInside(PixelRect window, PixelRect monitor, PixelRect work) {
    const PixelRect area = usableArea(monitor, work);
    window.left = fitEdge(window.left, window.width, area.left, area.width);
    window.top = fitEdge(window.top, window.height, area.top, area.height);
    return window;
}

std::optional<DpiChangePlacement> placeAfterDpiChange(const Form& form, int dpi,
                                                      std::optional<PixelPoint> suggested,
                                                      FrameExtent frame) {
    if (!suggested || dpi < kLowestDpi || dpi > kHighestDpi) {
        return std::nullopt;
    }
    return DpiChangePlacement{
        suggested->left, suggested->top,
        outerPixelSize(clientWidthTwips(form), form.design().clientHeight, dpi, frame),
        pixelsToTwips(suggested->left, dpi), pixelsToTwips(suggested->top, dpi)};
}

PixelSize outerPixelSize(float clientWidth, float clientHeight, int dpi, FrameExtent frame) {
    return {twipsToPixels(clientWidth, dpi) + frame.horizontal,
            twipsToPixels(clientHeight, dpi) + frame.vertical};
}

}  // namespace forms
