#include "forms/win32/screen_metrics.h"

#include <cstddef>
#include <cstring>

#include "forms/win32/handles.h"
#include "forms/win32/newer_windows.h"
#include "forms/win32/win32_platform.h"

namespace forms::win32 {

namespace {

constexpr int kLayoutFontPoints = 8;
constexpr int kPointsPerInch = 72;
// The classic dialog face the layout was drawn for; where it exists only as
// bitmaps for other resolutions, its outline twin.
constexpr const char* kLayoutFaces[] = {"MS Sans Serif", "Microsoft Sans Serif"};

// Functions of newer systems, looked up at run time so that an older one
// still starts; nullptr where the system lacks them.
template <typename Function>
Function* user32Function(const char* name) {
    FARPROC found = GetProcAddress(GetModuleHandleA("user32.dll"), name);
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(found));
}

struct FaceSearch {
    int emHeight;  // the character height: the font's height less its internal leading
    bool usable = false;
};

// A face is usable when it scales, or when one of its bitmaps is the size
// wanted: a bitmap face stretched to another size looks worse than any
// outline face. A failure ends the search where it stands.
int CALLBACK noteUsableFace(const LOGFONTA* /*font*/, const TEXTMETRICA* metrics, DWORD type,
                            LPARAM search) {
    return atEdge(
        MessageBoxErrors{},
        [&] {
            auto* wanted = fromInteger<FaceSearch*>(search);
            wanted->usable = (type & RASTER_FONTTYPE) == 0 ||
                             metrics->tmHeight - metrics->tmInternalLeading == wanted->emHeight;
            return wanted->usable ? 0 : 1;
        },
        [] { return 0; });
}

bool faceUsable(const char* face, int emHeight) {
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    FaceSearch search{emHeight};
    const WindowDC screen = windowDC(nullptr);
    EnumFontFamiliesExA(screen.get(), &wanted, noteUsableFace, reinterpret_cast<LPARAM>(&search),
                        0);
    return search.usable;
}

// The metrics as XP knows them, ending with the message font: XP refuses the
// size that counts Vista's padded border, and every later Windows takes this.
constexpr UINT kMetricsSizeForXp = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);

LOGFONTA messageFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = kMetricsSizeForXp;
    LOGFONTA font{};
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kMetricsSizeForXp, &metrics, 0) != FALSE) {
        font = metrics.lfMessageFont;
    } else {
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    return font;
}

}  // namespace

int screenDpi() {
    const WindowDC screen = windowDC(nullptr);
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
    return dpi > 0 ? dpi : kDefaultDpi;
}

int windowDpi(HWND window) {
    static auto* const dpiForWindow = user32Function<UINT WINAPI(HWND)>("GetDpiForWindow");
    const int dpi =
        dpiForWindow != nullptr && window != nullptr ? static_cast<int>(dpiForWindow(window)) : 0;
    return dpi > 0 ? dpi : screenDpi();
}

int metricForDpi(int metric, int dpi) {
    static auto* const forDpi = user32Function<int WINAPI(int, UINT)>("GetSystemMetricsForDpi");
    if (forDpi != nullptr) {
        return forDpi(metric, static_cast<UINT>(dpi));
    }
    return MulDiv(GetSystemMetrics(metric), dpi, screenDpi());
}

RECT frameForDpi(DWORD style, DWORD exStyle, int dpi) {
    static auto* const forDpi =
        user32Function<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, 0, 0};
    if (forDpi != nullptr) {
        forDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return frame;
}

HFONT createLayoutFont(int dpi) {
    // The captions were laid out for the toolkit's 8-point default; a larger
    // system font would wrap and clip them.
    const int emHeight = MulDiv(kLayoutFontPoints, dpi, kPointsPerInch);
    LOGFONTA font = messageFont();
    for (const char* face : kLayoutFaces) {
        if (faceUsable(face, emHeight)) {
            font = LOGFONTA{};
            font.lfCharSet = DEFAULT_CHARSET;
            std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
            break;
        }
    }
    font.lfHeight = -emHeight;
    font.lfWidth = 0;
    font.lfWeight = FW_NORMAL;
    return CreateFontIndirectA(&font);
}

}  // namespace forms::win32
