#include "forms/win32/frame_view.h"

#include <commctrl.h>

#include "forms/form.h"
#include "forms/win32/handles.h"

namespace forms::win32 {

namespace {

constexpr UINT_PTR kFrameSubclass = 1;

LRESULT frameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The toolkit rides along as the subclass's data, to report what nothing
// else caught: no exception may pass back into the system.
LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                           UINT_PTR /*subclass*/, DWORD_PTR toolkit) {
    try {
        return frameMessage(window, message, wParam, lParam);
    } catch (...) {
        fromInteger<Toolkit*>(toolkit)->reportCaught();
        return 0;
    }
}

LRESULT frameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
            return SendMessageA(GetParent(window), message, wParam, lParam);
        case WM_ERASEBKGND: {
            RECT client{};
            GetClientRect(window, &client);
            FillRect(fromInteger<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, frameProc, kFrameSubclass);
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

FrameView::FrameView(Control& frame, const ViewContext& context)
    : ControlView(frame), window_("BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, 0, frame, context) {
    SetWindowSubclass(window_.get(), frameProc, kFrameSubclass,
                      reinterpret_cast<DWORD_PTR>(&frame.owner().toolkit()));
}

}  // namespace forms::win32
