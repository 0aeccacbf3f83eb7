#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "forms/toolkit.h"

namespace tray {

inline constexpr unsigned TRAY_ICON_ID = 100;
// WM_USER + 1: what the shell sends the start-up window for mouse activity over the icon.
inline constexpr unsigned TRAY_CALLBACK_MSG = 1025;
inline constexpr std::size_t kTooltipWidth = 64;

// The parts of the record a request carries, and the requests, as the shell
// numbers them (the Win32 shell checks each against the system's own).
enum TrayRecordPart : unsigned { kCallbackPart = 1, kIconPart = 2, kTipPart = 4 };
inline constexpr unsigned kAddFlags = kCallbackPart | kIconPart | kTipPart;

enum class NotifyMessage : unsigned { Add = 0, Modify = 1, Delete = 2 };

// The shell's icon record, ANSI, built afresh for each call: the fields every
// form of it has.
struct TrayRecord {
    forms::NativeHandle hWnd = 0;
    unsigned uID = 0;
    unsigned uFlags = 0;
    unsigned uCallbackMessage = 0;
    forms::NativeHandle hIcon = 0;
    std::array<char, kTooltipWidth> szTip{};

    // The tooltip as the user reads it: the field without its filling.
    std::string tipText() const;
};

// The tooltip field: the text left-justified and filled with spaces. The last
// character carries the terminator the shell looks for; no tooltip is that long.
std::array<char, kTooltipWidth> tooltipField(const std::string& text);

}  // namespace tray
