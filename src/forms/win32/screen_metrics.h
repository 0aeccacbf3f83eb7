#pragma once

#include <windows.h>

namespace forms::win32 {

// The display's real resolution in dots per inch; the program is DPI aware,
// so this is what twips convert with.
int screenDpi();

// The system's message font at its normal weight: the dialog look every
// control shares.
HFONT createMessageFont();

}  // namespace forms::win32
