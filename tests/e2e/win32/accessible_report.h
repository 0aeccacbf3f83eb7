#pragma once

#include <windows.h>

namespace automate {

// What a screen reader in another process learns through MSAA, one line per
// object, tab-separated key=value fields as window_report.h writes them:
//   depth role name value description state location child
// depth counts from the window's client object (0); state is the state bits by
// name, joined with "+"; location is screen pixels (x,y,width,height), "-"
// when the object gives none; child is the child ID ("self" for the object
// itself).

// The window's tree, from its client object down, every object and simple
// child.
void printAccessibleTree(HWND window);

// The object a point test finds at screen pixel x,y. False when none.
bool printAccessibleAt(int x, int y);

// Listens for name, description and value changes raised by the process of
// `window`, out of context as a screen reader does, until a WM_CLOSE reaches
// the listener's window (class AutomateListener) or `timeoutMs` pass. Prints
// "listening=1" once the hook is in, then one line per event as it comes:
// event=namechange|descriptionchange|valuechange, hwnd, object, child, and
// the name and value the object has when the line is written.
void listenForChanges(HWND window, int timeoutMs);

}  // namespace automate
