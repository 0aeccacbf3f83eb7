#include "forms/win32/screen_metrics.h"

#include "forms/win32/handles.h"

namespace forms::win32 {

int screenDpi() {
    const ScreenDC screen;
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

HFONT createMessageFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) == FALSE) {
        LOGFONTA fallback{};
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof fallback, &fallback);
        return CreateFontIndirectA(&fallback);
    }
    metrics.lfMessageFont.lfWeight = FW_NORMAL;
    return CreateFontIndirectA(&metrics.lfMessageFont);
}

}  // namespace forms::win32
