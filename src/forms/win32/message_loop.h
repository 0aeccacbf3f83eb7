#pragma once

#include <windows.h>

namespace forms::win32 {

// The form's own keyboard handling, for every message the loop takes: Tab
// and Shift+Tab follow the tab order, the arrows move within an option
// group, Enter and Escape do nothing. (The dialog manager would press
// buttons on Enter and Escape and tie Tab to the stacking order.)
// True when the message was used up and must not be dispatched.
bool handleDialogKeys(const MSG& message);

// One message, as every loop of the program handles it: the form keys
// first, then translation and dispatch.
void deliver(const MSG& message);

}  // namespace forms::win32
