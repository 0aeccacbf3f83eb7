#pragma once

#include <windows.h>

#include <string>

namespace automate {

// One line per window, tab-separated key=value fields, so a shell test can
// pick a field with awk or grep:
//   hwnd parent owner id class text visible enabled checked style rect client
//   pos pid work
// rect and client are screen pixels (x,y,width,height); pos is the window's
// rectangle in its parent's client area; pid is its process's ID; work is the
// work area of the monitor nearest to the window. checked is BM_GETCHECK (0,
// 1, 2) for buttons and "-" for other windows. Tabs, newlines and backslashes
// in the text are written as \t, \n and \\.
std::string describeWindow(HWND window, int replyTimeoutMs);

// Screen pixels as "x,y,width,height".
std::string box(const RECT& rect);
// A handle or flags as "0x" and lower-case hex digits.
std::string hex(unsigned long long value);
// Tabs, newlines, carriage returns and backslashes as \t, \n, \r and \\.
std::string escaped(const std::string& text);

}  // namespace automate
