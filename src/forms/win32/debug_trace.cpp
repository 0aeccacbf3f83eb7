#include "forms/win32/debug_trace.h"

#include <windows.h>

#include "forms/win32/program_names.h"

namespace forms::win32 {

void trace(const std::string& line) {
    OutputDebugStringA((programNames().debugPrefix + line).c_str());
}

}  // namespace forms::win32
