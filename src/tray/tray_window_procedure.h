#pragma once

#include <cstdint>

namespace tray {

// WM_LBUTTONDOWN, as the shell reports a left-button press over the icon.
inline constexpr std::intptr_t kLeftButtonDown = 513;

// The whole rule of the hooked window procedure: a left-button press over the
// icon opens the setup window; every message, that one included, goes on to
// the procedure that was there before, whose result is returned unchanged.
template <class Open, class CallPrevious>
auto routeTrayMessage(unsigned trayMessage, unsigned uMsg, std::intptr_t lParam, Open&& open,
                      CallPrevious&& callPrevious) {
    if (uMsg == trayMessage && lParam == kLeftButtonDown) {
        open();
    }
    return callPrevious();
}

}  // namespace tray
