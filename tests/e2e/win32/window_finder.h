#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "command_line.h"

namespace automate {

std::string className(HWND window);
// The text a user sees: asked of the window itself (so edit boxes answer
// too), or read from the window manager when its thread does not answer.
std::string windowText(HWND window, int replyTimeoutMs);

// A caption matches with or without its accelerator ampersands ("&None").
bool captionMatches(const std::string& caption, const std::string& wanted);

std::vector<HWND> matchingTopLevelWindows(const CommandLine& line);
// Every descendant, depth first: option buttons sit inside frame windows.
std::vector<HWND> descendants(HWND parent);

// The window the command line names, or nullptr when it does not exist now.
HWND findWindow(const CommandLine& line);
// The same, polled until it appears or the command line's timeout runs out.
HWND waitForWindow(const CommandLine& line);
// True once no such window exists, polled up to the timeout.
bool waitUntilGone(const CommandLine& line);

}  // namespace automate
