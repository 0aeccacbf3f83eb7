#pragma once

#include <vector>

#include "forms/form.h"

namespace forms {

enum class Direction { Forward, Backward };

// Check boxes, option buttons and command buttons take the keyboard focus;
// frames, labels, shapes and picture boxes never do.
bool takesFocus(const Control& control);

// What Tab visits, in tab order: every control that takes the focus, that
// the user can reach and that lies inside the client area, except that an
// option group is visited once, at its selected option (at its first
// reachable option when none is selected). Controls the window's width clips
// keep their place in the order and come back when the window widens.
std::vector<Control*> tabStops(const Form& form);

// Where Tab (Forward) or Shift+Tab (Backward) moves the focus from `current`:
// the nearest stop in tab order outside current's own option group, wrapping
// round at either end. From no control (nullptr) it is the first or last stop.
// nullptr when there is nowhere to go.
Control* nextTabStop(const Form& form, const Control* current, Direction direction);

// Where an arrow key moves within current's option group: the next (Forward)
// or previous reachable option inside the client area, in tab order,
// wrapping round. nullptr when the
// group has no other reachable option.
OptionButton* nextInGroup(const Form& form, const OptionButton& current, Direction direction);

}  // namespace forms
