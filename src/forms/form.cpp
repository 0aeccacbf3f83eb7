#include "forms/form.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace forms {

Form::Form(Toolkit& toolkit, FormDesign design)
    : toolkit_(toolkit), design_(std::move(design)), left_(design_.left), top_(design_.top) {}

Form::~Form() = default;

void Form::Load() {
    if (loaded_) {
        return;
    }
    try {
        createControls();
        completeFromTable();
        loaded_ = true;
        view_ = toolkit_.createView(*this);
    } catch (...) {
        // A form whose window could not be built stays unloaded, not half there.
        controls_.clear();
        madeFromTable_.clear();
        destroyControls();
        loaded_ = false;
        throw;
    }
    toolkit_.runEvent([this] { Form_Load(); });
}

// A control made twice, or one the table lacks, is a slip in the form's code
// that no test could miss: every load fails naming it.
void Form::completeFromTable() {
    const std::span<const ControlRow> table = design_.controls;
    if (table.empty()) {
        return;
    }
    std::vector<Control*> ordered;
    for (const ControlRow& row : table) {
        const auto named = std::ranges::find(controls_, row.name, &Control::name);
        ordered.push_back(named != controls_.end()
                              ? *named
                              : madeFromTable_.emplace_back(madeFromRow(*this, row)).get());
    }
    for (const Control* control : controls_) {
        if (std::ranges::find(ordered, control) == ordered.end()) {
            throw std::logic_error(design_.name + ": " + control->name() +
                                   " is not one row of its table");
        }
    }
    for (std::size_t index = 0; index < table.size(); ++index) {
        if (!table[index].container.empty()) {
            ordered[index]->container_ =
                &dynamic_cast<Frame&>(*ordered.at(stackingPosition(table, table[index].container)));
        }
    }
    controls_ = std::move(ordered);
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
    madeFromTable_.clear();
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
