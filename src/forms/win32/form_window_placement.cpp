// Where a form window is and how big, at the display's DPI: the model's
// twips turned into pixels, the user's own moves kept, and everything drawn
// afresh when the DPI or the message font changes.
#include "forms/win32/form_window.h"

#include <string>
#include <utility>

#include "forms/twips.h"
#include "forms/win32/screen_metrics.h"
#include "forms/win32/system_call.h"
#include "forms/window_size.h"

namespace forms::win32 {

namespace {

// The image of the size its place asks for at this DPI, so nothing is stretched.
OwnedIcon loadIcon(HINSTANCE instance, int resource, int widthMetric, int heightMetric, int dpi) {
    return OwnedIcon(static_cast<HICON>(
        checked(LoadImageA(instance, MAKEINTRESOURCEA(resource), IMAGE_ICON,
                           metricForDpi(widthMetric, dpi), metricForDpi(heightMetric, dpi), 0),
                "Could not load icon " + std::to_string(resource))));
}

FrameExtent frameExtentOf(HWND window, int dpi) {
    const RECT frame = frameForDpi(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)),
                                   static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)), dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

PixelRect pixelRectOf(const RECT& rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

void FormWindow::loadIcons() {
    const int resource = form_.design().iconResource;
    if (resource == 0) {
        return;
    }
    // The window takes the new icons before the old ones are destroyed.
    auto bigIcon = loadIcon(instance_, resource, SM_CXICON, SM_CYICON, scale_.dpi);
    auto smallIcon = loadIcon(instance_, resource, SM_CXSMICON, SM_CYSMICON, scale_.dpi);
    SendMessageA(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.get()));
    SendMessageA(window_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
    bigIcon_ = std::move(bigIcon);
    smallIcon_ = std::move(smallIcon);
}

// Font, control places, shapes, icons and window size, all afresh from the
// twips at `dpi`. Before the controls are built only the window's size
// follows; they are built at the new scale.
void FormWindow::changeScale(int dpi) {
    scale_.dpi = dpi;
    if (viewsBuilt_) {
        GdiObject<HFONT> font(createLayoutFont(dpi));
        scale_.font = font.get();
        for (const auto& view : views_) {
            if (HWND child = view->window()) {
                SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(scale_.font), FALSE);
            }
            view->mirror();
        }
        font_ = std::move(font);
        loadIcons();
    }
    formChanged();
    InvalidateRect(window_.get(), nullptr, TRUE);
}

// The window went to a display of another DPI (or the display's DPI
// changed): it goes where the system says, at the size the twips give there.
void FormWindow::moveToNewDpi(int dpi, const RECT* suggested) {
    const auto placed = placeAfterDpiChange(
        form_, dpi,
        suggested == nullptr ? std::nullopt
                             : std::optional<PixelPoint>{{suggested->left, suggested->top}},
        frameExtentOf(window_.get(), dpi));
    if (!placed) {
        return;
    }
    scale_.dpi = dpi;
    placing_ = true;
    SetWindowPos(window_.get(), nullptr, placed->left, placed->top, placed->size.width,
                 placed->size.height, SWP_NOZORDER | SWP_NOACTIVATE);
    placing_ = false;
    form_.setLeft(placed->leftTwips);
    form_.setTop(placed->topTwips);
    changeScale(dpi);
}

void FormWindow::formChanged() {
    if (adopting_) {
        return;
    }
    HWND window = window_.get();
    restoreIfMinimised();
    // A window loaded hidden is placed with its controls, once the message
    // loop runs: every move costs, and nobody sees it before.
    if (viewsBuilt_ || form_.Visible()) {
        placeWindow();
        keepFocusInView();
    }
    const bool shown = IsWindowVisible(window) != FALSE;
    if (form_.Visible() && !shown) {
        buildControlViews();
        bringIntoWorkArea();
        ShowWindow(window, SW_SHOWNORMAL);
        SetForegroundWindow(window);
    } else if (!form_.Visible() && shown) {
        ShowWindow(window, SW_HIDE);
    }
}

void FormWindow::placeWindow() {
    HWND window = window_.get();
    const PixelSize size = outerPixelSize(clientWidthTwips(form_), form_.design().clientHeight,
                                          scale_.dpi, frameExtentOf(window, scale_.dpi));
    const RECT wanted{twipsToPixels(form_.Left(), scale_.dpi),
                      twipsToPixels(form_.Top(), scale_.dpi), 0, 0};
    RECT now{};
    GetWindowRect(window, &now);
    // Showing a window that has not moved must not pay for a move.
    if (now.left != wanted.left || now.top != wanted.top || now.right - now.left != size.width ||
        now.bottom - now.top != size.height) {
        placing_ = true;
        SetWindowPos(window, nullptr, wanted.left, wanted.top, size.width, size.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        placing_ = false;
    }
}

// A minimised window has no task-bar button to come back by: showing it
// brings it back from its icon first.
void FormWindow::restoreIfMinimised() const {
    if (form_.Visible() && IsIconic(window_.get()) != FALSE) {
        ShowWindow(window_.get(), SW_RESTORE);
    }
}

// The window moved by the user keeps its place when code changes its width.
// The window is already there, so the model's change moves nothing.
void FormWindow::keepUsersPosition() {
    RECT where{};
    GetWindowRect(window_.get(), &where);
    adopting_ = true;
    form_.setLeft(pixelsToTwips(where.left, scale_.dpi));
    form_.setTop(pixelsToTwips(where.top, scale_.dpi));
    adopting_ = false;
}

// A place the user left the window at may since have gone with a monitor, or
// with a change of display mode, and another program may have moved it off
// screen: with no task-bar button, a window off every monitor could not be
// reached. It comes back wholly inside the work area of the monitor nearest
// to it, as close to that place as fits; a window that lies wholly on a
// monitor stays where it is. A minimised window is parked off screen by the
// system and comes back from there by itself.
void FormWindow::bringIntoWorkArea() {
    HWND window = window_.get();
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
    placing_ = true;
    SetWindowPos(window, nullptr, fitted.left, fitted.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    placing_ = false;
    keepUsersPosition();
}

}  // namespace forms::win32
