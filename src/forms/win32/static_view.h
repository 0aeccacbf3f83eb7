#pragma once

#include "forms/win32/control_view.h"

namespace forms::win32 {

// A label (wrapped text, shown as written: no access keys) or a picture box
// (a sunken, empty area). Both report clicks.
class StaticView final : public ControlView {
  public:
    StaticView(Control& control, const ViewContext& context);
    void mirror() override { window_.mirror(control()); }
    HWND window() const override { return window_.get(); }

  private:
    ChildWindow window_;
};

}  // namespace forms::win32
