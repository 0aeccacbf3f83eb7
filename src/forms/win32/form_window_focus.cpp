// The keyboard in a form window: where the focus goes on a show and when the
// window narrows, and Tab, Shift+Tab and the arrows through the model's tab
// order, which holds only the controls in view.
#include "forms/win32/form_window.h"
#include "forms/window_size.h"

namespace forms::win32 {

// Windows lets the program take the foreground while it handles the input
// that asked for the show (the tray's, or a second start's), which is when
// this runs. Every show starts the keyboard at the first control the user
// can see, so Tab and the arrows work without a click first, and a key
// pressed at once acts on something in view. A window shown already may
// have been moved off screen since: it comes into view before the keyboard
// goes to it.
void FormWindow::activate() {
    HWND window = window_.get();
    if (IsWindowVisible(window) == FALSE) {
        return;
    }
    bringIntoWorkArea();
    if (GetForegroundWindow() != window) {
        SetForegroundWindow(window);
    }
    focus(nextTabStop(form_, nullptr, Direction::Forward));
}

Control* FormWindow::focusedControl() const {
    const ControlView* view = viewOf(GetFocus());
    return view == nullptr ? nullptr : &view->control();
}

void FormWindow::focus(const Control* control) {
    const ControlView* view = viewOf(control);
    if (view == nullptr || view->window() == nullptr) {
        return;
    }
    focusing_ = true;
    SetFocus(view->window());
    focusing_ = false;
}

// To the control in `preferred` if it can hold the focus in view, else to
// the first control in view.
void FormWindow::focusOrFirst(HWND preferred) {
    const ControlView* view = viewOf(preferred);
    if (view != nullptr && takesFocus(view->control()) && view->control().reachable() &&
        liesInClientArea(view->control())) {
        focus(&view->control());
    } else {
        focus(nextTabStop(form_, nullptr, Direction::Forward));
    }
}

// The window narrowed under the focus: it goes to the control the user just
// acted on (the one that narrowed it), or else to the first one in view.
void FormWindow::keepFocusInView() {
    const Control* focused = focusedControl();
    if (focused != nullptr && !liesInClientArea(*focused)) {
        focusOrFirst(lastActedOn_);
    }
}

bool FormWindow::handleKey(const MSG& message) {
    if (message.message != WM_KEYDOWN) {
        return false;
    }
    switch (message.wParam) {
        case VK_RETURN:
        case VK_ESCAPE:
            return true;
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) {
                return false;
            }
            moveByTab(GetKeyState(VK_SHIFT) < 0 ? Direction::Backward : Direction::Forward);
            return true;
        case VK_LEFT:
        case VK_UP:
            return moveInGroup(Direction::Backward);
        case VK_RIGHT:
        case VK_DOWN:
            return moveInGroup(Direction::Forward);
        default:
            return false;
    }
}

void FormWindow::moveByTab(Direction direction) {
    SendMessageA(window_.get(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    focus(nextTabStop(form_, focusedControl(), direction));
}

// An arrow selects the option it moves to, as a click on it would.
bool FormWindow::moveInGroup(Direction direction) {
    auto* option = dynamic_cast<OptionButton*>(focusedControl());
    if (option == nullptr) {
        return false;
    }
    OptionButton* next = nextInGroup(form_, *option, direction);
    if (next == nullptr) {
        return true;
    }
    focus(next);
    viewOf(next)->notified(BN_CLICKED);
    return true;
}

}  // namespace forms::win32
