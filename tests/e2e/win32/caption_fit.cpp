#include "caption_fit.h"

#include <algorithm>
#include <array>

namespace automate {

namespace {

enum class Kind { Check, Option, Button, Frame, Other };

Kind kindOf(HWND control) {
    std::array<char, 32> name{};
    GetClassNameA(control, name.data(), static_cast<int>(name.size()));
    if (lstrcmpiA(name.data(), "Button") != 0) {
        return Kind::Other;
    }
    switch (static_cast<unsigned long>(GetWindowLongA(control, GWL_STYLE)) & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return Kind::Check;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return Kind::Option;
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            return Kind::Button;
        case BS_GROUPBOX:
            return Kind::Frame;
        default:
            return Kind::Other;
    }
}

const char* nameOf(Kind kind) {
    constexpr std::array kNames{"check", "option", "button", "frame", "other"};
    return kNames.at(static_cast<std::size_t>(kind));
}

int scaled(int pixelsAt96, int dpi) {
    constexpr int kDefaultDpi = 96;
    return MulDiv(pixelsAt96, dpi, kDefaultDpi);
}

// What the caption may not use of the client width: the box and the gap
// after it for a check box or option button (the box is 13 pixels at 96 dpi,
// the gap half a digit, as the button control draws them), and the edges of
// a frame (7 pixels each side) or a push button (4).
int reservedWidth(Kind kind, HDC dc, int dpi) {
    switch (kind) {
        case Kind::Check:
        case Kind::Option: {
            SIZE digit{};
            GetTextExtentPoint32A(dc, "0", 1, &digit);
            return scaled(13, dpi) + digit.cx / 2;
        }
        case Kind::Frame:
            return 2 * scaled(7, dpi);
        case Kind::Button:
            return 2 * scaled(4, dpi);
        case Kind::Other:
            break;
    }
    return 0;
}

std::string size(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace

std::string describeCaptionFit(HWND control) {
    const Kind kind = kindOf(control);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    HDC dc = GetDC(control);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    auto* font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    HGDIOBJ previous = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    std::array<char, LF_FACESIZE> face{};
    GetTextFaceA(dc, static_cast<int>(face.size()), face.data());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);

    RECT client{};
    GetClientRect(control, &client);
    const int roomWidth = client.right - reservedWidth(kind, dc, dpi);
    const int roomHeight = client.bottom;
    const bool wraps = kind == Kind::Check || kind == Kind::Option;
    RECT need{0, 0, wraps ? roomWidth : 0, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &need,
              DT_CALCRECT | DT_NOPREFIX | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, previous);
    ReleaseDC(control, dc);

    const int needWidth = need.right - need.left;
    const int needHeight = need.bottom - need.top;
    const int lines = metrics.tmHeight > 0 ? needHeight / metrics.tmHeight : 0;
    const int spare = std::min(roomWidth - needWidth, roomHeight - needHeight);
    std::string line = "text=" + text;
    line += std::string("\tkind=") + nameOf(kind) + "\tface=" + face.data();
    line += "\tdpi=" + std::to_string(dpi) + "\troom=" + size(roomWidth, roomHeight);
    line += "\tneed=" + size(needWidth, needHeight) + "\tlines=" + std::to_string(lines);
    line += "\tspare=" + std::to_string(spare) + "\tfits=" + (spare >= 0 ? "1" : "0");
    line += "\tleading=" + std::to_string(metrics.tmInternalLeading);
    line += "\tdescent=" + std::to_string(metrics.tmDescent);
    return line;
}

std::string captionFitFile() {
    std::array<char, MAX_PATH> folder{};
    GetTempPathA(static_cast<DWORD>(folder.size()), folder.data());
    return std::string(folder.data()) + "automate-captions.txt";
}

}  // namespace automate
