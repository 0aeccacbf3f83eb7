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
    : ControlView(box), box_(box), window_("BUTTON", kButtonStyle | BS_CHECKBOX, 0, box, context) {}

void CheckBoxView::mirror() {
    window_.mirror(box_);
    constexpr WPARAM kStates[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
    showCheck(window_.get(), kStates[box_.value()]);
}

OptionButtonView::OptionButtonView(OptionButton& option, const ViewContext& context)
    : ControlView(option),
      option_(option),
      window_("BUTTON", kButtonStyle | BS_RADIOBUTTON, 0, option, context) {}

void OptionButtonView::mirror() {
    window_.mirror(option_);
    showCheck(window_.get(), option_.selected() ? BST_CHECKED : BST_UNCHECKED);
}

CommandButtonView::CommandButtonView(Control& button, const ViewContext& context)
    : ControlView(button), window_("BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, button, context) {}

}  // namespace forms::win32
