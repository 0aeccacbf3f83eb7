#include "command_line.h"

#include <array>
#include <cstdlib>
#include <string_view>
#include <utility>

namespace automate {

namespace {

struct NamedNumber {
    std::string_view name;
    long long value;
};

// The messages and notification codes the tests send or post; anything else
// is given as a number.
constexpr std::array kNames{
    NamedNumber{"WM_NULL", 0x0000},
    NamedNumber{"WM_CLOSE", 0x0010},
    NamedNumber{"WM_QUERYENDSESSION", 0x0011},
    NamedNumber{"WM_ENDSESSION", 0x0016},
    NamedNumber{"WM_KEYDOWN", 0x0100},
    NamedNumber{"WM_KEYUP", 0x0101},
    NamedNumber{"WM_CHAR", 0x0102},
    NamedNumber{"WM_COMMAND", 0x0111},
    NamedNumber{"WM_SYSCOMMAND", 0x0112},
    NamedNumber{"WM_TIMER", 0x0113},
    NamedNumber{"WM_MOUSEMOVE", 0x0200},
    NamedNumber{"WM_LBUTTONDOWN", 0x0201},
    NamedNumber{"WM_LBUTTONUP", 0x0202},
    NamedNumber{"WM_LBUTTONDBLCLK", 0x0203},
    NamedNumber{"WM_RBUTTONDOWN", 0x0204},
    NamedNumber{"WM_RBUTTONUP", 0x0205},
    NamedNumber{"WM_RBUTTONDBLCLK", 0x0206},
    NamedNumber{"WM_USER", 0x0400},
    NamedNumber{"WM_APP", 0x8000},
    NamedNumber{"BM_GETCHECK", 0x00F0},
    NamedNumber{"BM_SETCHECK", 0x00F1},
    NamedNumber{"BM_CLICK", 0x00F5},
    NamedNumber{"SC_CLOSE", 0xF060},
    NamedNumber{"SC_MINIMIZE", 0xF020},
    NamedNumber{"VK_TAB", 0x09},
    NamedNumber{"VK_RETURN", 0x0D},
    NamedNumber{"VK_ESCAPE", 0x1B},
    NamedNumber{"VK_SPACE", 0x20},
    NamedNumber{"VK_DOWN", 0x28},
};

long long parseTerm(const std::string& text) {
    for (const auto& named : kNames) {
        if (named.name == text) {
            return named.value;
        }
    }
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 0);
    if (text.empty() || end == nullptr || *end != '\0') {
        throw UsageError("not a number or a known name: " + text);
    }
    return value;
}

int parseTimeout(const std::string& text) {
    const long long value = parseTerm(text);
    if (value < 0 || value > 600000) {
        throw UsageError("timeout out of range: " + text);
    }
    return static_cast<int>(value);
}

}  // namespace

long long parseNumber(const std::string& text) {
    const auto plus = text.find('+', 1);
    if (plus == std::string::npos) {
        return parseTerm(text);
    }
    return parseTerm(text.substr(0, plus)) + parseTerm(text.substr(plus + 1));
}

CommandLine parseCommandLine(const std::vector<std::string>& words) {
    CommandLine line;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= words.size()) {
                throw UsageError(word + " needs a value");
            }
            return words[++i];
        };
        if (word == "--class") {
            line.windowClass = value();
        } else if (word == "--title") {
            line.title = value();
        } else if (word == "--hwnd") {
            line.hwnd = parseTerm(value());
        } else if (word == "--child") {
            line.childText = value();
        } else if (word == "--child-class") {
            line.childClass = value();
        } else if (word == "--timeout") {
            line.timeoutMs = parseTimeout(value());
        } else if (word == "--reply-timeout") {
            line.replyTimeoutMs = parseTimeout(value());
        } else if (word == "--visible") {
            line.visibleOnly = true;
        } else if (word == "--force") {
            line.force = true;
        } else if (word.starts_with("--")) {
            throw UsageError("unknown option " + word);
        } else if (line.command.empty()) {
            line.command = word;
        } else {
            line.arguments.push_back(word);
        }
    }
    if (line.command.empty()) {
        throw UsageError("no command");
    }
    return line;
}

const char* const kUsage =
    "usage: automate COMMAND [--class C] [--title T] [--hwnd H] [--child TEXT] [--child-class C]\n"
    "                [--visible] [--timeout MS] [--reply-timeout MS] [--force] [ARGS]\n"
    "  windows            one line per top-level window (filtered by --class/--title)\n"
    "  find               the line of the window, waiting up to --timeout\n"
    "  children           one line per descendant of the window\n"
    "  click              BM_CLICK, as a user's click (refused on a disabled window\n"
    "                     unless --force); prints the window's line afterwards\n"
    "  send MSG [W] [L]   SendMessage (waits up to --reply-timeout), prints result=\n"
    "  post MSG [W] [L]   PostMessage\n"
    "  gone               waits until no such window exists\n"
    "  hold KIND NAME     creates a named mutex, event or semaphore, prints held=1\n"
    "                     and keeps it for --timeout ms (no window needed)\n"
    "  captions           one line per captioned descendant: does its caption fit\n"
    "                     (see caption_fit.h)\n"
    "  focus              the line of the window with the keyboard focus, and\n"
    "                     root_class= of its top-level window\n"
    "  untray ID          removes the window's tray icon ID, as a task bar restart does\n"
    "  move X Y           moves the window's top-left corner to screen pixel X,Y\n"
    "  acctree            the window's accessible objects as a screen reader reads\n"
    "                     them, one line each (see accessible_report.h)\n"
    "  accpoint X Y       the accessible object a point test finds at screen pixel X,Y\n"
    "  events             prints each name, description and value change of the\n"
    "                     window's program as it comes, until --timeout ms pass or\n"
    "                     WM_CLOSE reaches the window of class AutomateListener\n"
    "  volatile KEY       creates HKEY_CURRENT_USER\\KEY as a volatile key, under which\n"
    "                     no lasting key can be made (no window needed)\n"
    "  mode W H           changes the display mode to W x H pixels for this session\n"
    "  saved              each value the program saves, as an empty store reads it\n"
    "MSG, W and L: numbers, known names (WM_CLOSE, WM_USER+1), or registered:NAME.\n"
    "Exit status: 0 done, 1 window not found (or still there), 2 usage, 3 failed,\n"
    "4 window disabled.\n";

}  // namespace automate
