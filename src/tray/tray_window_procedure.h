#pragma once

#include <cstdint>

namespace tray {

// WM_LBUTTONDOWN, as the shell reports a left-button press over the icon.
inline constexpr std::intptr_t kLeftButtonDown = 513;
// With the version-3 tray behaviour the shell also reports a mouse selection
// (WM_USER) and the keyboard's Enter or Space on the icon (WM_USER + 1).
// Without them a keyboard user would only ever reach the icon's right press,
// which does nothing, and could never open the setup window.
inline constexpr std::intptr_t kSelect = 0x400;
inline constexpr std::intptr_t kKeySelect = 0x401;

// The tray reports that open the setup window.
constexpr bool opensSetupWindow(std::intptr_t trayEvent) {
    return trayEvent == kLeftButtonDown || trayEvent == kSelect || trayEvent == kKeySelect;
}

// The whole rule of the hooked window procedure: a left-button press over the
// icon, or its selection by mouse or keyboard, opens the setup window; every
// message, that one included, goes on to the procedure that was there before,
// whose result is returned unchanged.
template <class Open, class CallPrevious>
auto routeTrayMessage(unsigned trayMessage, unsigned uMsg, std::intptr_t lParam, Open&& open,
                      CallPrevious&& callPrevious) {
    if (uMsg == trayMessage && opensSetupWindow(lParam)) {
        open();
    }
    return callPrevious();
}

}  // namespace tray
