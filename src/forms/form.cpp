#include "forms/form.h"

#include <utility>

namespace forms {

Form::Form(Toolkit& toolkit, FormDesign design)
    : toolkit_(toolkit), design_(std::move(design)), left_(design_.left), top_(design_.top) {}

Form::~Form() = default;

void Form::Load() {
    if (loaded_) {
        return;
    }
    createControls();
    loaded_ = true;
    try {
        view_ = toolkit_.createView(*this);
    } catch (...) {
        // A form whose window could not be built stays unloaded, not half there.
        controls_.clear();
        destroyControls();
        loaded_ = false;
        throw;
    }
    toolkit_.runEvent([this] { Form_Load(); });
}

void Form::Show() {
    setVisible(true);
    if (view_ && visible_) {
        view_->activate();
    }
}

void Form::Unload() {
    if (!loaded_) {
        return;
    }
    std::int16_t Cancel = 0;
    toolkit_.runEvent([this, &Cancel] { Form_Unload(Cancel); });
    if (Cancel != 0) {
        return;
    }
    visible_ = false;
    view_.reset();
    controls_.clear();
    destroyControls();
    loaded_ = false;
}

float Form::Width() const noexcept {
    return width_.value_or(design_.clientWidth);
}

void Form::setWidth(float twips) {
    width_ = twips;
    formChanged();
}

void Form::setLeft(float twips) {
    left_ = twips;
    formChanged();
}

void Form::setTop(float twips) {
    top_ = twips;
    formChanged();
}

void Form::setVisible(bool visible) {
    if (!loaded_) {
        if (!visible) {
            return;
        }
        Load();
    }
    visible_ = visible;
    formChanged();
}

NativeHandle Form::hWnd() const {
    if (!loaded_) {
        throw RuntimeError(ErrorNumber::PropertyAccessFailed, design_.name + " is not loaded");
    }
    return view_ ? view_->handle() : 0;
}

void Form::controlChanged(const Control& control) {
    if (view_) {
        view_->controlChanged(control);
    }
}

void Form::formChanged() {
    if (view_) {
        view_->formChanged();
    }
}

}  // namespace forms
