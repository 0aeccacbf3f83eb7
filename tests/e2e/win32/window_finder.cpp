#include "window_finder.h"

#include <algorithm>
#include <array>

namespace automate {

namespace {

constexpr DWORD kPollMs = 50;

BOOL CALLBACK collectWindow(HWND window, LPARAM found) {
    // EnumWindows hands back the pointer it was given, as an LPARAM.
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(  // NOLINT(performance-no-int-to-ptr)
        window);
    return TRUE;
}

bool sameClass(HWND window, const std::string& wanted) {
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, className(window).c_str(), -1,
                          wanted.c_str(), -1) == CSTR_EQUAL;
}

bool isWanted(HWND window, const std::optional<std::string>& wantedClass,
              const std::optional<std::string>& wantedText, int replyTimeoutMs) {
    if (wantedClass && !sameClass(window, *wantedClass)) {
        return false;
    }
    return !wantedText || captionMatches(windowText(window, replyTimeoutMs), *wantedText);
}

template <typename Found>
auto pollUntil(int timeoutMs, Found found) {
    // An unsigned difference of tick counts is right across their wrap.
    const DWORD start = GetTickCount();
    for (;;) {
        auto result = found();
        if (result || GetTickCount() - start >= static_cast<DWORD>(timeoutMs)) {
            return result;
        }
        Sleep(kPollMs);
    }
}

}  // namespace

std::string className(HWND window) {
    std::array<char, 256> name{};
    const int length = GetClassNameA(window, name.data(), static_cast<int>(name.size()));
    return std::string(name.data(), static_cast<std::size_t>(std::max(length, 0)));
}

std::string windowText(HWND window, int replyTimeoutMs) {
    DWORD_PTR length = 0;
    if (SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG,
                            static_cast<UINT>(replyTimeoutMs), &length) != 0) {
        std::string text(length + 1, '\0');
        DWORD_PTR copied = 0;
        if (SendMessageTimeoutA(window, WM_GETTEXT, text.size(),
                                reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                                static_cast<UINT>(replyTimeoutMs), &copied) != 0) {
            text.resize(std::min<std::size_t>(copied, length));
            return text;
        }
    }
    std::array<char, 1024> text{};
    const int copied = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return std::string(text.data(), static_cast<std::size_t>(std::max(copied, 0)));
}

bool captionMatches(const std::string& caption, const std::string& wanted) {
    if (caption == wanted) {
        return true;
    }
    std::string plain;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;  // "&&" shows one ampersand; "&N" underlines N.
        }
        plain += caption[i];
    }
    return plain == wanted;
}

std::vector<HWND> matchingTopLevelWindows(const CommandLine& line) {
    std::vector<HWND> all;
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> matching;
    for (HWND window : all) {
        if ((!line.visibleOnly || IsWindowVisible(window)) &&
            isWanted(window, line.windowClass, line.title, line.replyTimeoutMs)) {
            matching.push_back(window);
        }
    }
    return matching;
}

std::vector<HWND> descendants(HWND parent) {
    std::vector<HWND> all;
    EnumChildWindows(parent, collectWindow, reinterpret_cast<LPARAM>(&all));
    return all;
}

HWND findWindow(const CommandLine& line) {
    if (line.hwnd) {
        auto window = reinterpret_cast<HWND>(  // NOLINT(performance-no-int-to-ptr)
            static_cast<INT_PTR>(*line.hwnd));
        return IsWindow(window) ? window : nullptr;
    }
    for (HWND top : matchingTopLevelWindows(line)) {
        if (!line.namesChild()) {
            return top;
        }
        for (HWND child : descendants(top)) {
            if (isWanted(child, line.childClass, line.childText, line.replyTimeoutMs)) {
                return child;
            }
        }
    }
    return nullptr;
}

HWND waitForWindow(const CommandLine& line) {
    return pollUntil(line.timeoutMs, [&] { return findWindow(line); });
}

bool waitUntilGone(const CommandLine& line) {
    return pollUntil(line.timeoutMs, [&] { return findWindow(line) == nullptr; });
}

}  // namespace automate
