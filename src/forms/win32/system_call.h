#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace forms::win32 {

// A system call the program cannot do without has failed. It is not a
// run-time error of a handler: at start-up it ends the program with a
// message naming what failed, rather than leaving it half built; later it
// reaches the edge where the platform called in, and is reported there like
// any other error.
class SystemCallFailed : public std::runtime_error {
  public:
    // `what` names the failed step; the system's own error code is added.
    explicit SystemCallFailed(const std::string& what)
        : std::runtime_error(what + " (system error " + std::to_string(GetLastError()) + ")") {}
};

// The result of a call that returns 0 or nullptr on failure, once it is known
// not to have failed.
template <typename Result>
Result checked(Result result, const std::string& what) {
    if (!result) {
        throw SystemCallFailed(what);
    }
    return result;
}

}  // namespace forms::win32
