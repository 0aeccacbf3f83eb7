#include "forms/win32/static_view.h"

namespace forms::win32 {

namespace {

bool isPicture(const Control& control) {
    return control.kind() == ControlKind::PictureBox;
}

}  // namespace

StaticView::StaticView(Control& control, const ViewContext& context)
    : ControlView(control),
      window_("STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY,
              isPicture(control) ? WS_EX_CLIENTEDGE : 0, control, context) {}

}  // namespace forms::win32
