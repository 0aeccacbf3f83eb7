#include "forms/win32/keyboard_focus.h"

#include "forms/win32/raised_flag.h"
#include "forms/window_size.h"

namespace forms::win32 {

Control* KeyboardFocus::focusedControl() const {
    const ControlView* view = window_.viewOf(GetFocus());
    return view == nullptr ? nullptr : &view->control();
}

void KeyboardFocus::focus(const Control* control) {
    const ControlView* view = window_.viewOf(control);
    if (view == nullptr || view->window() == nullptr) {
        return;
    }
    const RaisedFlag byCode(focusing_);
    SetFocus(view->window());
}

// To the control in `preferred` if it can hold the focus in view, else to
// the first control in view.
void KeyboardFocus::focusOrFirst(HWND preferred) {
    const ControlView* view = window_.viewOf(preferred);
    if (view != nullptr && takesFocus(view->control()) && view->control().reachable() &&
        liesInClientArea(view->control())) {
        focus(&view->control());
    } else {
        toFirst();
    }
}

// The window narrowed under the focus: it goes to the control the user just
// acted on (the one that narrowed it), or else to the first one in view.
void KeyboardFocus::keepInView() {
    const Control* focused = focusedControl();
    if (focused != nullptr && !liesInClientArea(*focused)) {
        focusOrFirst(lastActedOn_);
    }
}

bool KeyboardFocus::actedOn(const ControlView& view) {
    if (focusing_ && view.control().kind() == ControlKind::OptionButton) {
        return false;
    }
    lastActedOn_ = view.window();
    return true;
}

bool KeyboardFocus::handleKey(const MSG& message) {
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

void KeyboardFocus::moveByTab(Direction direction) {
    SendMessageA(window_.window(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    focus(nextTabStop(form_, focusedControl(), direction));
}

// An arrow selects the option it moves to, as a click on it would.
bool KeyboardFocus::moveInGroup(Direction direction) {
    auto* option = dynamic_cast<OptionButton*>(focusedControl());
    if (option == nullptr) {
        return false;
    }
    OptionButton* next = nextInGroup(form_, *option, direction);
    if (next == nullptr) {
        return true;
    }
    focus(next);
    window_.viewOf(next)->notified(BN_CLICKED);
    return true;
}

}  // namespace forms::win32
