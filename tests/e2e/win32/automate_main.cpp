// The end-to-end tests' hands and eyes: finds the program's windows, clicks
// and sends messages as a user or the shell would, and prints what it sees
// one line per window (see window_report.h).
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "accessible_report.h"
#include "caption_fit.h"
#include "command_line.h"
#include "settings/setting_table.h"
#include "settings/setting_text.h"
#include "window_finder.h"
#include "window_report.h"

namespace automate {

namespace {

enum Exit : int { Done = 0, NotFound = 1, Usage = 2, Failed = 3, Disabled = 4 };

void print(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
}

UINT messageNumber(const std::string& text) {
    constexpr std::string_view kRegistered = "registered:";
    if (text.starts_with(kRegistered)) {
        return RegisterWindowMessageA(text.c_str() + kRegistered.size());
    }
    return static_cast<UINT>(parseNumber(text));
}

struct Message {
    UINT number;
    WPARAM wParam;
    LPARAM lParam;
};

Message messageFrom(const CommandLine& line) {
    const auto& args = line.arguments;
    if (args.empty() || args.size() > 3) {
        throw UsageError(line.command + " needs MSG [WPARAM] [LPARAM]");
    }
    return {messageNumber(args[0]), args.size() > 1 ? static_cast<WPARAM>(parseNumber(args[1])) : 0,
            args.size() > 2 ? static_cast<LPARAM>(parseNumber(args[2])) : 0};
}

int listWindows(const CommandLine& line) {
    for (HWND window : matchingTopLevelWindows(line)) {
        print(describeWindow(window, line.replyTimeoutMs));
    }
    return Done;
}

int listChildren(const CommandLine& line, HWND window) {
    for (HWND child : descendants(window)) {
        print(describeWindow(child, line.replyTimeoutMs));
    }
    return Done;
}

// Sent rather than posted, so that what the click did is visible to the next
// command; a handler that opens a modal box does not return, so the wait is
// bounded and "replied=0" says the click is still being handled.
int click(const CommandLine& line, HWND window) {
    if (!IsWindowEnabled(window) && !line.force) {
        std::fprintf(stderr, "automate: the window is disabled; a user cannot click it\n");
        return Disabled;
    }
    DWORD_PTR result = 0;
    const bool replied = SendMessageTimeoutA(window, BM_CLICK, 0, 0, SMTO_NORMAL,
                                             static_cast<UINT>(line.replyTimeoutMs), &result) != 0;
    print(describeWindow(window, line.replyTimeoutMs) + "\treplied=" + (replied ? "1" : "0"));
    return Done;
}

int send(const CommandLine& line, HWND window) {
    const Message message = messageFrom(line);
    DWORD_PTR result = 0;
    const bool replied =
        SendMessageTimeoutA(window, message.number, message.wParam, message.lParam, SMTO_NORMAL,
                            static_cast<UINT>(line.replyTimeoutMs), &result) != 0;
    print("replied=" + std::string(replied ? "1" : "0") +
          "\tresult=" + std::to_string(static_cast<long long>(result)));
    return Done;
}

int post(const CommandLine& line, HWND window) {
    const Message message = messageFrom(line);
    if (PostMessageA(window, message.number, message.wParam, message.lParam) == 0) {
        std::fprintf(stderr, "automate: PostMessage failed (%lu)\n", GetLastError());
        return Failed;
    }
    print("posted=1");
    return Done;
}

std::string besideThisProgram(const char* name) {
    std::array<char, MAX_PATH> path{};
    GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::string folder(path.data());
    return folder.substr(0, folder.find_last_of("\\/") + 1) + name;
}

// The probe runs in the window's own thread, where its fonts are valid, and
// leaves its lines in a file.
int captionFits(const CommandLine& line, HWND window) {
    HMODULE probe = LoadLibraryA(besideThisProgram("captionprobe.dll").c_str());
    auto* procedure = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void (*)()>(GetProcAddress(probe, "captionProbe")));
    if (procedure == nullptr) {
        std::fprintf(stderr, "automate: captionprobe.dll is missing beside automate.exe\n");
        return Failed;
    }
    const std::string file = captionFitFile();
    DeleteFileA(file.c_str());
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, procedure, probe,
                                   GetWindowThreadProcessId(window, nullptr));
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, RegisterWindowMessageA(kMeasureCaptionsMessage), 0, 0, SMTO_NORMAL,
                        static_cast<UINT>(line.replyTimeoutMs), &result);
    UnhookWindowsHookEx(hook);
    std::FILE* lines = std::fopen(file.c_str(), "rb");
    if (lines == nullptr) {
        std::fprintf(stderr, "automate: the probe did not run in the window's thread\n");
        return Failed;
    }
    std::array<char, 1024> text{};
    while (std::fgets(text.data(), static_cast<int>(text.size()), lines) != nullptr) {
        std::fputs(text.data(), stdout);
    }
    std::fclose(lines);
    DeleteFileA(file.c_str());
    return Done;
}

// The window that has the keyboard focus, in whichever program is in front,
// and the top-level window it belongs to.
int focused(const CommandLine& line) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (GetGUIThreadInfo(0, &thread) == 0 || thread.hwndFocus == nullptr) {
        std::fprintf(stderr, "automate: no window has the focus\n");
        return NotFound;
    }
    HWND root = GetAncestor(thread.hwndFocus, GA_ROOT);
    print(describeWindow(thread.hwndFocus, line.replyTimeoutMs) +
          "\troot_class=" + className(root));
    return Done;
}

// Takes the window's tray icon ID away, as a restarting task bar loses it.
int removeTrayIcon(const CommandLine& line, HWND window) {
    if (line.arguments.size() != 1) {
        throw UsageError("untray needs the icon's ID");
    }
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = static_cast<UINT>(parseNumber(line.arguments[0]));
    if (Shell_NotifyIconA(NIM_DELETE, &data) == FALSE) {
        std::fprintf(stderr, "automate: the shell has no such icon\n");
        return Failed;
    }
    print("removed=1");
    return Done;
}

int moveWindow(const CommandLine& line, HWND window) {
    if (line.arguments.size() != 2) {
        throw UsageError("move needs X Y");
    }
    SetWindowPos(window, nullptr, static_cast<int>(parseNumber(line.arguments[0])),
                 static_cast<int>(parseNumber(line.arguments[1])), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    print(describeWindow(window, line.replyTimeoutMs));
    return Done;
}

int accessibleAt(const CommandLine& line) {
    if (line.arguments.size() != 2) {
        throw UsageError("accpoint needs X Y");
    }
    if (!printAccessibleAt(static_cast<int>(parseNumber(line.arguments[0])),
                           static_cast<int>(parseNumber(line.arguments[1])))) {
        std::fprintf(stderr, "automate: no accessible object there\n");
        return NotFound;
    }
    return Done;
}

int printWindow(const CommandLine& line, HWND window) {
    print(describeWindow(window, line.replyTimeoutMs));
    return Done;
}

int accessibleTree(const CommandLine& /*line*/, HWND window) {
    printAccessibleTree(window);
    return Done;
}

int printEvents(const CommandLine& line, HWND window) {
    listenForChanges(window, line.timeoutMs);
    return Done;
}

void needWindow(const CommandLine& line) {
    if (!line.windowClass && !line.title && !line.hwnd) {
        throw UsageError(line.command + " needs --class, --title or --hwnd");
    }
}

int gone(const CommandLine& line) {
    needWindow(line);
    return waitUntilGone(line) ? Done : NotFound;
}

// Squats on a name the way another program could, for as long as asked.
int hold(const CommandLine& line) {
    if (line.arguments.size() != 2) {
        throw UsageError("hold needs KIND NAME");
    }
    const std::string& kind = line.arguments[0];
    const char* name = line.arguments[1].c_str();
    HANDLE held = nullptr;
    if (kind == "mutex") {
        held = CreateMutexA(nullptr, FALSE, name);
    } else if (kind == "event") {
        held = CreateEventA(nullptr, TRUE, FALSE, name);
    } else if (kind == "semaphore") {
        held = CreateSemaphoreA(nullptr, 0, 1, name);
    } else {
        throw UsageError("hold: KIND is mutex, event or semaphore");
    }
    if (held == nullptr) {
        std::fprintf(stderr, "automate: could not create %s (%lu)\n", name, GetLastError());
        return Failed;
    }
    print("held=1");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(line.timeoutMs));
    CloseHandle(held);
    return Done;
}

// Makes a key of the current user's that lasts only until the system stops.
// A key under it that is meant to last cannot be created, so a program that
// saves there fails as it would where the registry refuses it.
int volatileKey(const CommandLine& line) {
    if (line.arguments.size() != 1) {
        throw UsageError("volatile needs a key under HKEY_CURRENT_USER");
    }
    HKEY key = nullptr;
    const LSTATUS status = RegCreateKeyExA(HKEY_CURRENT_USER, line.arguments[0].c_str(), 0, nullptr,
                                           REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) {
        std::fprintf(stderr, "automate: could not create the key (%ld)\n", status);
        return Failed;
    }
    RegCloseKey(key);
    print("created=1");
    return Done;
}

// A change of display mode for this session only, as the user makes one.
int displayMode(const CommandLine& line) {
    if (line.arguments.size() != 2) {
        throw UsageError("mode needs WIDTH HEIGHT");
    }
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(parseNumber(line.arguments[0]));
    mode.dmPelsHeight = static_cast<DWORD>(parseNumber(line.arguments[1]));
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    const LONG result = ChangeDisplaySettingsExA(nullptr, &mode, nullptr, 0, nullptr);
    if (result != DISP_CHANGE_SUCCESSFUL) {
        std::fprintf(stderr, "automate: the display refused the mode (%ld)\n", result);
        return Failed;
    }
    print("changed=1");
    return Done;
}

// Every value the program saves, as an empty store reads it, in save order:
// "Section\Key=Value" lines from the program's own table.
int savedValues(const CommandLine& /*line*/) {
    for (const settings::SettingStep* step : settings::kSaveOrder) {
        const std::string value = step->kind == settings::Kind::Truth
                                      ? settings::truthText(step->fallback == forms::True)
                                      : settings::integerText(step->fallback);
        print(std::string(step->section) + "\\" + std::string(step->key) + "=" + value);
    }
    return Done;
}

// Each command by its name: one that acts on a window is given it once the
// window is found.
struct Command {
    std::string_view name;
    int (*run)(const CommandLine&) = nullptr;
    int (*onWindow)(const CommandLine&, HWND) = nullptr;
};

constexpr std::array kCommands{
    Command{"windows", listWindows},
    Command{"hold", hold},
    Command{"focus", focused},
    Command{"accpoint", accessibleAt},
    Command{"volatile", volatileKey},
    Command{"mode", displayMode},
    Command{"gone", gone},
    Command{"saved", savedValues},
    Command{"find", nullptr, printWindow},
    Command{"children", nullptr, listChildren},
    Command{"click", nullptr, click},
    Command{"send", nullptr, send},
    Command{"post", nullptr, post},
    Command{"captions", nullptr, captionFits},
    Command{"untray", nullptr, removeTrayIcon},
    Command{"move", nullptr, moveWindow},
    Command{"acctree", nullptr, accessibleTree},
    Command{"events", nullptr, printEvents},
};

int run(const CommandLine& line) {
    const auto command = std::ranges::find(kCommands, line.command, &Command::name);
    if (command == kCommands.end()) {
        throw UsageError("unknown command " + line.command);
    }
    if (command->run != nullptr) {
        return command->run(line);
    }
    needWindow(line);
    HWND window = waitForWindow(line);
    if (window == nullptr) {
        std::fprintf(stderr, "automate: no such window\n");
        return NotFound;
    }
    return command->onWindow(line, window);
}

}  // namespace

}  // namespace automate

int main(int argc, char** argv) {
    // Lines go to a Unix pipe under Wine: no carriage returns.
    _setmode(_fileno(stdout), _O_BINARY);
    try {
        const std::vector<std::string> words(argv + 1, argv + argc);
        return automate::run(automate::parseCommandLine(words));
    } catch (const automate::UsageError& error) {
        std::fprintf(stderr, "automate: %s\n%s", error.what(), automate::kUsage);
        return automate::Usage;
    }
}
