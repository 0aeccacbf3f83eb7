#pragma once

namespace forms::win32 {

// What the program calls itself wherever the toolkit leaves a name for
// others to read.
struct ProgramNames {
    const char* debugPrefix;   // the head of every debug line
    const char* messageTitle;  // of the error boxes
    const char* formClass;     // a form whose design names no class
    const char* ownerClass;    // the hidden owner that keeps a form off the task bar
    const char* shapeClass;    // a shape a screen reader can find
};

// Answered by the program that the toolkit is linked into, as WinMain is.
ProgramNames programNames();

}  // namespace forms::win32
