#pragma once

#include <windows.h>

namespace forms::win32 {

// The display's real resolution in dots per inch; the program is DPI aware,
// so this is what twips convert with.
int screenDpi();

// The resolution of the display the window is on, where the system can tell
// per window; the display's otherwise.
int windowDpi(HWND window);

// A system metric (an icon size, say) as it is at `dpi`.
int metricForDpi(int metric, int dpi);

// What a window's frame and caption add round an empty client area, at `dpi`.
RECT frameForDpi(DWORD style, DWORD exStyle, int dpi);

// The font the layout was drawn for, the classic dialog face, at 8 points on
// a display of `dpi`: its bitmap of that size where there is one, else its
// outline twin. Where neither is installed, the system's message font at
// normal weight and the same size: the captions may then wrap sooner, but
// every control still gets a font.
HFONT createLayoutFont(int dpi);

}  // namespace forms::win32
