#pragma once

#include <set>
#include <string>
#include <tuple>

#include "card/position_stepping.h"
#include "forms/form.h"
#include "settings/settings_store.h"

namespace settings {

// The bad stored values already reported in this run: section, key (empty
// for the section's option frame) and the line the user read. A Cancel reads
// the same store again; telling the user again of a value that nothing has
// replaced would only be noise.
using ReportedSettings = std::set<std::tuple<std::string, std::string, std::string>, std::less<>>;

// The setup window's settings: every check box and option button of the card
// (the window's controls, in the order of its table) and the four position
// variables.
struct SetupSettings {
    const forms::Form& window;
    card::SetupVariables& vars;
    card::PositionStepping& stepping;
    ReportedSettings& reported;
};

// Writes all 20 values; changes nothing in the window and sends nothing. Every
// section is opened first: one that cannot be written ends the save with a
// run-time error saying that the settings were not saved, before anything is
// written. A write that still fails ends it with an error naming the key, how
// many values were written and which were not.
void SaveSettingsToFile(const SetupSettings& setup, SettingsStore& store);

// Assigns every stored value (or its default) in the fixed read order; each
// assignment that changes a control raises its handler, which drives the card.
// Each option frame ends with exactly one option. The stored picture position
// is stepped to on the card wherever the mirror already knows where the card is.
// A stored value that cannot be used (not a number or truth word, too big, a
// check value other than 0 or 1, a position off the stepping grid, unreadable)
// is replaced by its default and the read goes on; all such values are then
// reported together through the toolkit's error handler, each once per run
// until a save replaces it.
void ReadSettingsFromFile(const SetupSettings& setup, SettingsStore& store,
                          forms::Toolkit& toolkit);

}  // namespace settings
