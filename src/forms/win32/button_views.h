#pragma once

#include "forms/win32/control_view.h"

namespace forms::win32 {

// The button controls never change their own check: the styles are the
// plain ones, and only the model's value is shown.

class CheckBoxView final : public WindowedView {
  public:
    CheckBoxView(CheckBox& box, const ViewContext& context);
    void mirror() override;

  private:
    CheckBox& box_;
};

class OptionButtonView final : public WindowedView {
  public:
    OptionButtonView(OptionButton& option, const ViewContext& context);
    void mirror() override;

  private:
    OptionButton& option_;
};

}  // namespace forms::win32
