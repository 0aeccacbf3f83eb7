#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace automate {

// What the tests asked for: one command, the window it acts on, and the
// command's own arguments (a message and its two parameters, for instance).
struct CommandLine {
    std::string command;
    std::optional<std::string> windowClass;
    std::optional<std::string> title;
    std::optional<long long> hwnd;
    std::optional<std::string> childText;
    std::optional<std::string> childClass;
    bool visibleOnly = false;
    bool force = false;
    int timeoutMs = 5000;
    int replyTimeoutMs = 3000;
    std::vector<std::string> arguments;

    bool namesChild() const { return childText.has_value() || childClass.has_value(); }
};

class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

CommandLine parseCommandLine(const std::vector<std::string>& words);

// A message number or parameter: decimal, 0x hex, a known name such as
// WM_LBUTTONDBLCLK, or NAME+N (WM_USER+1). Names that only exist at run time
// (registered messages) are resolved by the caller.
long long parseNumber(const std::string& text);

extern const char* const kUsage;

}  // namespace automate
