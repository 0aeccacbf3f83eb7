#pragma once

#include "forms/win32/control_view.h"

namespace forms::win32 {

// The button controls never change their own check: the styles are the
// plain ones, and only the model's value is shown.

class CheckBoxView final : public ControlView {
  public:
    CheckBoxView(CheckBox& box, const ViewContext& context);
    void mirror() override;
    HWND window() const override { return window_.get(); }

  private:
    CheckBox& box_;
    ChildWindow window_;
};

class OptionButtonView final : public ControlView {
  public:
    OptionButtonView(OptionButton& option, const ViewContext& context);
    void mirror() override;
    HWND window() const override { return window_.get(); }

  private:
    OptionButton& option_;
    ChildWindow window_;
};

// Never the default push button: Enter presses nothing.
class CommandButtonView final : public ControlView {
  public:
    CommandButtonView(Control& button, const ViewContext& context);
    void mirror() override { window_.mirror(control()); }
    HWND window() const override { return window_.get(); }

  private:
    ChildWindow window_;
};

}  // namespace forms::win32
