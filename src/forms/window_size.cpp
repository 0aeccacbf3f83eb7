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

std::optional<DpiChangePlacement> placeAfterDpiChange(const Form& form, int currentDpi, int dpi,
                                                      std::optional<PixelPoint> suggested,
                                                      FrameExtent frame) {
    constexpr int kLargestStep = 4;
    if (!suggested || dpi <= 0 || dpi > kLargestStep * currentDpi) {
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
