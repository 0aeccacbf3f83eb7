#pragma once

#include "forms/win32/control_view.h"

namespace forms::win32 {

// A frame is a real group box that holds its option buttons as child windows,
// placed relative to it. Disabling it blocks input to everything inside.
// The group box keeps nothing for itself: its options' notifications and
// colour requests go on to the form, and it paints its own background so the
// form's clipping leaves no hole behind it.
class FrameView final : public WindowedView {
  public:
    FrameView(Control& frame, const ViewContext& context);
    void notified(int /*code*/) override {}
};

}  // namespace forms::win32
