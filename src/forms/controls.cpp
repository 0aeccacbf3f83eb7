#include "forms/controls.h"

#include <stdexcept>
#include <utility>

#include "forms/form.h"
#include "forms/runtime_error.h"
#include "forms/toolkit.h"

namespace forms {

Control::Control(Form& owner, ControlKind kind, ControlDesign design, Frame* container)
    : geometry_(design.geometry),
      owner_(owner),
      kind_(kind),
      name_(std::move(design.name)),
      caption_(std::move(design.caption)),
      tabIndex_(design.tabIndex),
      enabled_(design.enabled),
      container_(container) {
    owner.adopt(*this);
}

void Control::setCaption(std::string caption) {
    caption_ = std::move(caption);
    changed();
}

void Control::setEnabled(bool enabled) {
    enabled_ = enabled;
    changed();
}

void Control::setAccessible(std::string AccessibleText::*field, std::string text) {
    if (accessible_.*field != text) {
        accessible_.*field = std::move(text);
        changed();
    }
}

bool Control::reachable() const noexcept {
    return enabled_ && (container_ == nullptr || container_->enabled());
}

void Control::setClickHandler(std::function<void()> handler) {
    if (onClick_) {
        throw std::logic_error(name_ + " has a click handler already");
    }
    onClick_ = std::move(handler);
}

void Control::userClick() {
    if (reachable()) {
        clickedByUser();
    }
}

void Control::raiseClick() {
    if (onClick_) {
        owner_.toolkit().runEvent(onClick_);
    }
}

void Control::changed() {
    owner_.controlChanged(*this);
}

CheckBox::CheckBox(Form& owner, ControlDesign design, CheckValue value, Frame* container)
    : Control(owner, ControlKind::CheckBox, std::move(design), container), value_(value) {}

void CheckBox::setValue(CheckValue value) {
    if (value < 0 || value > 2) {
        throw RuntimeError(ErrorNumber::InvalidPropertyValue);
    }
    if (value == value_) {
        return;
    }
    value_ = value;
    changed();
    raiseClick();
}

void CheckBox::clickedByUser() {
    setValue(value_ == 0 ? 1 : 0);
}

OptionButton::OptionButton(Form& owner, ControlDesign design, bool selected, Frame* container)
    : Control(owner, ControlKind::OptionButton, std::move(design), container),
      selected_(selected) {}

void OptionButton::setValue(bool selected) {
    if (selected == selected_) {
        return;
    }
    if (selected) {
        clearOthersInGroup();
    }
    selected_ = selected;
    changed();
    if (selected) {
        raiseClick();
    }
}

// A click on the option already chosen changes nothing, so it raises nothing.
void OptionButton::clickedByUser() {
    setValue(true);
}

void OptionButton::clearOthersInGroup() {
    for (Control* control : owner().controls()) {
        auto* other = dynamic_cast<OptionButton*>(control);
        if (other != nullptr && other != this && other->container() == container() &&
            other->selected_) {
            other->selected_ = false;
            other->changed();
        }
    }
}

Frame::Frame(Form& owner, ControlDesign design)
    : Control(owner, ControlKind::Frame, std::move(design)) {}

CommandButton::CommandButton(Form& owner, ControlDesign design)
    : Control(owner, ControlKind::CommandButton, std::move(design)) {}

Label::Label(Form& owner, ControlDesign design)
    : Control(owner, ControlKind::Label, std::move(design)) {}

PictureBox::PictureBox(Form& owner, ControlDesign design)
    : Control(owner, ControlKind::PictureBox, std::move(design)) {}

Shape::Shape(Form& owner, ControlDesign design, Rgb fill)
    : Control(owner, ControlKind::Shape, std::move(design)), fill_(fill) {}

void Shape::move(float left, std::optional<float> top, std::optional<float> width,
                 std::optional<float> height) {
    geometry_.left = left;
    geometry_.top = top.value_or(geometry_.top);
    geometry_.width = width.value_or(geometry_.width);
    geometry_.height = height.value_or(geometry_.height);
    changed();
}

}  // namespace forms
