#include "forms/win32/button_views.h"

namespace forms::win32 {

namespace {

// Captions wrap over the control's height, as the toolkit's own do.
constexpr DWORD kButtonStyle = WS_TABSTOP | BS_MULTILINE;

void showCheck(HWND window, WPARAM state) {
    if (static_cast<WPARAM>(SendMessageA(window, BM_GETCHECK, 0, 0)) != state) {
        SendMessageA(window, BM_SETCHECK, state, 0);
    }
}

}  // namespace

CheckBoxView::CheckBoxView(CheckBox& box, const ViewContext& context)
    : WindowedView(box, "BUTTON", kButtonStyle | BS_CHECKBOX, 0, context), box_(box) {}

void CheckBoxView::mirror() {
    WindowedView::mirror();
    constexpr WPARAM kStates[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
    showCheck(window(), kStates[box_.value()]);
}

OptionButtonView::OptionButtonView(OptionButton& option, const ViewContext& context)
    : WindowedView(option, "BUTTON", kButtonStyle | BS_RADIOBUTTON, 0, context), option_(option) {}

void OptionButtonView::mirror() {
    WindowedView::mirror();
    showCheck(window(), option_.selected() ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace forms::win32
