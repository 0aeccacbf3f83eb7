#include "window_report.h"

#include <cstdio>

#include "window_finder.h"

namespace automate {

std::string box(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right - r.left) + "," + std::to_string(r.bottom - r.top);
}

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string hex(unsigned long long value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", value);
    return text;
}

namespace {

RECT clientOnScreen(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    OffsetRect(&client, origin.x, origin.y);
    return client;
}

RECT inParentClient(HWND window, const RECT& onScreen) {
    RECT position = onScreen;
    HWND parent = GetAncestor(window, GA_PARENT);
    if (parent != nullptr && parent != GetDesktopWindow()) {
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&position), 2);
    }
    return position;
}

// The work area of the monitor nearest the window: where it can be seen.
RECT workAreaNearest(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

std::string checkState(HWND window, int replyTimeoutMs) {
    if (lstrcmpiA(className(window).c_str(), "Button") != 0) {
        return "-";
    }
    DWORD_PTR state = 0;
    if (SendMessageTimeoutA(window, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG,
                            static_cast<UINT>(replyTimeoutMs), &state) == 0) {
        return "?";
    }
    return std::to_string(state);
}

}  // namespace

std::string describeWindow(HWND window, int replyTimeoutMs) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const auto parent = reinterpret_cast<UINT_PTR>(GetAncestor(window, GA_PARENT));
    const bool topLevel = GetAncestor(window, GA_PARENT) == GetDesktopWindow();
    std::string line;
    auto field = [&line](const char* key, const std::string& value) {
        line += (line.empty() ? "" : "\t") + std::string(key) + "=" + value;
    };
    field("hwnd", hex(reinterpret_cast<UINT_PTR>(window)));
    field("parent", topLevel ? "0x0" : hex(parent));
    field("owner", hex(reinterpret_cast<UINT_PTR>(GetWindow(window, GW_OWNER))));
    field("id", std::to_string(topLevel ? 0 : GetDlgCtrlID(window)));
    field("class", escaped(className(window)));
    field("text", escaped(windowText(window, replyTimeoutMs)));
    field("visible", IsWindowVisible(window) ? "1" : "0");
    field("enabled", IsWindowEnabled(window) ? "1" : "0");
    field("checked", checkState(window, replyTimeoutMs));
    field("style", hex(static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE))));
    field("rect", box(rect));
    field("client", box(clientOnScreen(window)));
    field("pos", box(inParentClient(window, rect)));
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    field("pid", std::to_string(process));
    field("work", box(workAreaNearest(window)));
    return line;
}

}  // namespace automate
