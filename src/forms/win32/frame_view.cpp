#include "forms/win32/frame_view.h"

#include <commctrl.h>

#include "forms/win32/debug_trace.h"
#include "forms/win32/handles.h"
#include "forms/win32/win32_platform.h"

namespace forms::win32 {

namespace {

constexpr UINT_PTR kFrameSubclass = 1;

// What the frame answers itself, by handing on or painting; `groupBox`, the
// group box's own procedure, answers the rest, and what failed.
template <typename GroupBox>
LRESULT frameAnswer(HWND window, UINT message, WPARAM wParam, LPARAM lParam, GroupBox groupBox) {
    return atEdge(
        MessageBoxErrors{},
        [&]() -> LRESULT {
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
                default:
                    return groupBox();
            }
        },
        groupBox);
}

LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                           UINT_PTR /*subclass*/, DWORD_PTR /*data*/) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, frameProc, kFrameSubclass);
    }
    return frameAnswer(window, message, wParam, lParam,
                       [&] { return DefSubclassProc(window, message, wParam, lParam); });
}

// Where the common controls could not subclass the frame (short of memory),
// its procedure is replaced the older way, the one it replaced kept in its
// window data, so that its options' clicks still reach the form.
LRESULT CALLBACK replacedFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return frameAnswer(window, message, wParam, lParam, [&] {
        return CallWindowProcA(fromInteger<WNDPROC>(GetWindowLongPtrA(window, GWLP_USERDATA)),
                               window, message, wParam, lParam);
    });
}

}  // namespace

FrameView::FrameView(Control& frame, const ViewContext& context)
    : WindowedView(frame, "BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, 0, context) {
    HWND window = WindowedView::window();
    if (SetWindowSubclass(window, frameProc, kFrameSubclass, 0) == FALSE) {
        trace("frame " + frame.name() + ": its procedure is replaced instead of subclassed");
        SetWindowLongPtrA(window, GWLP_USERDATA, GetWindowLongPtrA(window, GWLP_WNDPROC));
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&replacedFrameProc));
    }
}

}  // namespace forms::win32
