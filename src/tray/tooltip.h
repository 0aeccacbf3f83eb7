#pragma once

#include <string>

#include "card/card_controls.h"

namespace tray {

// "Lumivance is currently set up for <output> - <filter>", read from the
// setup window's controls.
std::string composeTooltip(const card::CardControls& controls);

}  // namespace tray
