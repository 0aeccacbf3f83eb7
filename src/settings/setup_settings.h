#pragma once

#include "card/card_controls.h"
#include "card/position_stepping.h"
#include "card/setup_variables.h"
#include "forms/toolkit.h"
#include "settings/settings_store.h"

namespace settings {

// The setup window's settings: every check box and option button of the card
// and the four position variables.
struct SetupSettings {
    card::CardControls& controls;
    card::SetupVariables& vars;
    card::PositionStepping& stepping;
};

// Writes all 20 values; changes nothing in the window and sends nothing.
void SaveSettingsToFile(const SetupSettings& setup, SettingsStore& store);

// Assigns every stored value (or its default) in the fixed read order; each
// assignment that changes a control raises its handler, which drives the card.
// A stored value that cannot be used is reported through the toolkit and
// replaced by its default, and the read goes on.
void ReadSettingsFromFile(const SetupSettings& setup, SettingsStore& store,
                          forms::Toolkit& toolkit);

}  // namespace settings
