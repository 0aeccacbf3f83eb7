#include "forms/tab_order.h"

#include <algorithm>

#include "forms/window_size.h"

namespace forms {

namespace {

int tabIndexOf(const Control& control) {
    return control.tabIndex().value_or(-1);
}

bool inOptionGroup(const Control& control, const Frame* group) {
    return control.kind() == ControlKind::OptionButton && control.container() == group;
}

bool selectedOption(const Control& control) {
    const auto* option = dynamic_cast<const OptionButton*>(&control);
    return option != nullptr && option->selected();
}

// The controls that could take the focus, in tab order. A key that put the
// focus on a control the width clips would let the next key change the card
// with nothing to see, so those are left out until the window is wide.
std::vector<Control*> focusableInTabOrder(const Form& form) {
    std::vector<Control*> result;
    for (Control* control : form.controls()) {
        if (takesFocus(*control) && control->reachable() && control->tabIndex().has_value() &&
            liesInClientArea(*control)) {
            result.push_back(control);
        }
    }
    std::stable_sort(result.begin(), result.end(), [](const Control* a, const Control* b) {
        return tabIndexOf(*a) < tabIndexOf(*b);
    });
    return result;
}

// The one option of current's group that Tab visits.
bool isGroupStop(const Control& option, const std::vector<Control*>& focusable) {
    const Frame* group = option.container();
    const auto member = [group](const Control* c) { return inOptionGroup(*c, group); };
    const auto selected = std::find_if(focusable.begin(), focusable.end(), [&](const Control* c) {
        return member(c) && selectedOption(*c);
    });
    if (selected != focusable.end()) {
        return *selected == &option;
    }
    return *std::find_if(focusable.begin(), focusable.end(), member) == &option;
}

}  // namespace

bool takesFocus(const Control& control) {
    switch (control.kind()) {
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
        case ControlKind::CommandButton:
            return true;
        default:
            return false;
    }
}

std::vector<Control*> tabStops(const Form& form) {
    const std::vector<Control*> focusable = focusableInTabOrder(form);
    std::vector<Control*> stops;
    for (Control* control : focusable) {
        if (control->kind() != ControlKind::OptionButton || isGroupStop(*control, focusable)) {
            stops.push_back(control);
        }
    }
    return stops;
}

Control* nextTabStop(const Form& form, const Control* current, Direction direction) {
    std::vector<Control*> stops = tabStops(form);
    if (current != nullptr && current->kind() == ControlKind::OptionButton) {
        const Frame* group = current->container();
        std::erase_if(stops, [group](const Control* c) { return inOptionGroup(*c, group); });
    }
    if (stops.empty()) {
        return nullptr;
    }
    if (direction == Direction::Backward) {
        std::reverse(stops.begin(), stops.end());
    }
    if (current == nullptr) {
        return stops.front();
    }
    const int from = tabIndexOf(*current);
    const auto after = std::find_if(stops.begin(), stops.end(), [&](const Control* c) {
        return direction == Direction::Forward ? tabIndexOf(*c) > from : tabIndexOf(*c) < from;
    });
    return after != stops.end() ? *after : stops.front();
}

OptionButton* nextInGroup(const Form& form, const OptionButton& current, Direction direction) {
    std::vector<Control*> group = focusableInTabOrder(form);
    std::erase_if(group, [&](const Control* c) { return !inOptionGroup(*c, current.container()); });
    if (direction == Direction::Backward) {
        std::reverse(group.begin(), group.end());
    }
    const auto at = std::find(group.begin(), group.end(), &current);
    if (at == group.end()) {
        return group.empty() ? nullptr : static_cast<OptionButton*>(group.front());
    }
    const auto next = std::next(at) != group.end() ? std::next(at) : group.begin();
    return *next == &current ? nullptr : static_cast<OptionButton*>(*next);
}

}  // namespace forms
