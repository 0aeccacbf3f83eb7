#pragma once

#include <windows.h>

// Messages and values of Windows newer than the program's floor (XP), which
// the headers hide at that floor. The program still answers them where a
// newer Windows sends them; an older one never does.
namespace forms::win32 {

// The resolution every Windows assumes where the user set none: 100 %.
constexpr int kDefaultDpi = 96;

// Windows 8.1 and later send it to a per-monitor aware window whose monitor's
// DPI changed, or that was moved to a monitor of another DPI.
constexpr UINT kDpiChangedMessage = 0x02E0;

}  // namespace forms::win32
