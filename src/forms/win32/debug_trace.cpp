#include "forms/win32/debug_trace.h"

#include <windows.h>

namespace forms::win32 {

void trace(const std::string& line) {
    OutputDebugStringA(("Quenda: " + line).c_str());
}

}  // namespace forms::win32
