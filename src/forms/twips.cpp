#include "forms/twips.h"

#include <cmath>

namespace forms {

int twipsToPixels(float twips, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

float pixelsToTwips(int pixels, int dpi) {
    return static_cast<float>(pixels) * kTwipsPerInch / static_cast<float>(dpi);
}

PixelRect toPixels(const Geometry& geometry, int dpi) {
    const int left = twipsToPixels(geometry.left, dpi);
    const int top = twipsToPixels(geometry.top, dpi);
    const int right = twipsToPixels(geometry.left + geometry.width, dpi);
    const int bottom = twipsToPixels(geometry.top + geometry.height, dpi);
    return {left, top, right - left, bottom - top};
}

}  // namespace forms
