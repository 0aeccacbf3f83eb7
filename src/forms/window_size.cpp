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

DpiChangePlacement placeAfterDpiChange(const Form& form, int dpi, int suggestedLeft,
                                       int suggestedTop, FrameExtent frame) {
    return {suggestedLeft, suggestedTop,
            outerPixelSize(clientWidthTwips(form), form.design().clientHeight, dpi, frame),
            pixelsToTwips(suggestedLeft, dpi), pixelsToTwips(suggestedTop, dpi)};
}

PixelSize outerPixelSize(float clientWidth, float clientHeight, int dpi, FrameExtent frame) {
    return {twipsToPixels(clientWidth, dpi) + frame.horizontal,
            twipsToPixels(clientHeight, dpi) + frame.vertical};
}

}  // namespace forms
