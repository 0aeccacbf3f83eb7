#pragma once

#include <windows.h>

#include <string>

namespace automate {

// Whether a button's caption fits the room the button gives it, measured in
// the button's own font (WM_GETFONT) on the screen's DPI. A font belongs to
// the process that made it, so this runs inside the program, in the caption
// probe that automate hooks into it (caption_probe.cpp). One tab-separated
// line: text, kind (check, option, button, frame, other), face, dpi, room and
// need (WIDTHxHEIGHT pixels), lines (of word-wrapped text), spare (the least
// room left over, in pixels, negative when it does not fit), fits (1 or 0),
// and the font's internal leading and descent (the blank rows at the top and
// bottom of a line of letters without accents or descenders).
//   check, option: the text word-wrapped to the width beside the box; it must
//                  need no more height than the control has.
//   button, frame: the text on one line, inside the edges.
std::string describeCaptionFit(HWND control);

// The message that asks the probe, hooked into the window's thread, to write
// one line per captioned descendant of the window it is sent to into the file
// captionFitFile() names.
inline constexpr const char* kMeasureCaptionsMessage = "Quenda.automate.MeasureCaptions";
std::string captionFitFile();

}  // namespace automate
