#include "forms/win32/window_placement.h"

#include "forms/twips.h"
#include "forms/win32/screen_metrics.h"
#include "forms/window_size.h"

namespace forms::win32 {

namespace {

FrameExtent frameExtentOf(HWND window, int dpi) {
    const RECT frame = frameForDpi(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)),
                                   static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)), dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

PixelRect pixelRectOf(const RECT& rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

// The window went to a display of another DPI (or the display's DPI
// changed): it goes where the system says, at the size the twips give there,
// and the model takes that place as it stands. The DPI is the window's to
// change; once it draws at `dpi`, it is already where the model says.
bool WindowPlacement::moveToNewDpi(int dpi, const RECT* suggested) {
    const auto placed = placeAfterDpiChange(
        form_, dpi,
        suggested == nullptr ? std::nullopt
                             : std::optional<PixelPoint>{{suggested->left, suggested->top}},
        frameExtentOf(window_.window(), dpi));
    if (!placed) {
        return false;
    }
    {
        const RaisedFlag ours = placing();
        SetWindowPos(window_.window(), nullptr, placed->left, placed->top, placed->size.width,
                     placed->size.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const RaisedFlag adopting(adopting_);
    form_.setLeft(placed->leftTwips);
    form_.setTop(placed->topTwips);
    return true;
}

void WindowPlacement::place() {
    HWND window = window_.window();
    const int dpi = window_.dpi();
    const PixelSize size = outerPixelSize(clientWidthTwips(form_), form_.design().clientHeight, dpi,
                                          frameExtentOf(window, dpi));
    const RECT wanted{twipsToPixels(form_.Left(), dpi), twipsToPixels(form_.Top(), dpi), 0, 0};
    RECT now{};
    GetWindowRect(window, &now);
    // Showing a window that has not moved must not pay for a move.
    if (now.left != wanted.left || now.top != wanted.top || now.right - now.left != size.width ||
        now.bottom - now.top != size.height) {
        const RaisedFlag ours = placing();
        SetWindowPos(window, nullptr, wanted.left, wanted.top, size.width, size.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void WindowPlacement::moved() {
    // Minimising parks the window far off screen; that is no place of the user's.
    if (!placing_ && IsIconic(window_.window()) == FALSE) {
        keepUsersPosition();
    }
}

// A minimised window has no task-bar button to come back by: showing it
// brings it back from its icon first.
void WindowPlacement::restoreIfMinimised() const {
    if (form_.Visible() && IsIconic(window_.window()) != FALSE) {
        ShowWindow(window_.window(), SW_RESTORE);
    }
}

// The window moved by the user keeps its place when code changes its width.
// The window is already there, so the model's change moves nothing.
void WindowPlacement::keepUsersPosition() {
    RECT where{};
    GetWindowRect(window_.window(), &where);
    const RaisedFlag adopting(adopting_);
    form_.setLeft(pixelsToTwips(where.left, window_.dpi()));
    form_.setTop(pixelsToTwips(where.top, window_.dpi()));
}

// A place the user left the window at may since have gone with a monitor, or
// with a change of display mode, and another program may have moved it off
// screen: with no task-bar button, a window off every monitor could not be
// reached. It comes back wholly inside the work area of the monitor nearest
// to it, as close to that place as fits; a window that lies wholly on a
// monitor stays where it is. A minimised window is parked off screen by the
// system and comes back from there by itself.
void WindowPlacement::bringIntoWorkArea() {
    HWND window = window_.window();
    if (IsIconic(window) != FALSE) {
        return;
    }
    RECT now{};
    GetWindowRect(window, &now);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromRect(&now, MONITOR_DEFAULTTONEAREST), &monitor) == FALSE) {
        return;
    }
    const PixelRect fitted =
        fitInside(pixelRectOf(now), pixelRectOf(monitor.rcMonitor), pixelRectOf(monitor.rcWork));
    if (fitted.left == now.left && fitted.top == now.top) {
        return;
    }
    {
        const RaisedFlag ours = placing();
        SetWindowPos(window, nullptr, fitted.left, fitted.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    keepUsersPosition();
}

}  // namespace forms::win32
