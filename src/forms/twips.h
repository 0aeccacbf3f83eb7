#pragma once

#include "forms/controls.h"

namespace forms {

inline constexpr int kTwipsPerInch = 1440;

// A rectangle on the screen, in whole pixels.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PixelRect&) const = default;
};

// The nearest whole pixel at the display's real resolution.
int twipsToPixels(float twips, int dpi);

// Twips for a position the user gave the window, exact enough to convert
// back to the same pixel.
float pixelsToTwips(int pixels, int dpi);

// Converts the edges, not the size, so that controls laid out edge to edge in
// twips stay edge to edge in pixels whatever the rounding.
PixelRect toPixels(const Geometry& geometry, int dpi);

}  // namespace forms
