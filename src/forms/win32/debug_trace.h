#pragma once

#include <string>

namespace forms::win32 {

// One line for a debug viewer (and for Wine's +debugstr channel), after the
// program's prefix. Support and the end-to-end tests read what the program
// did here.
void trace(const std::string& line);

}  // namespace forms::win32
