#pragma once

#include <windows.h>

namespace forms::win32 {

// The display's real resolution in dots per inch; the program is DPI aware,
// so this is what twips convert with.
int screenDpi();

// The system's message font (the dialog look every control shares), at its
// normal weight and at 8 points on a display of `dpi`.
HFONT createMessageFont(int dpi);

}  // namespace forms::win32
