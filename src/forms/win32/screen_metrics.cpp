#include "forms/win32/screen_metrics.h"

#include "forms/win32/handles.h"

namespace forms::win32 {

namespace {

constexpr int kLayoutFontPoints = 8;
constexpr int kPointsPerInch = 72;

}  // namespace

int screenDpi() {
    const ScreenDC screen;
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

HFONT createMessageFont(int dpi) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTA font{};
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) != FALSE) {
        font = metrics.lfMessageFont;
    } else {
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    // The captions were laid out for the toolkit's 8-point default; a larger
    // system font would wrap and clip them.
    font.lfHeight = -MulDiv(kLayoutFontPoints, dpi, kPointsPerInch);
    font.lfWidth = 0;
    font.lfWeight = FW_NORMAL;
    return CreateFontIndirectA(&font);
}

}  // namespace forms::win32
