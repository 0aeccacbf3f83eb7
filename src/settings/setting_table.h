#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include "card/card_controls.h"
#include "card/kel_setup_table.h"
#include "card/setup_variables.h"

namespace settings {

// What a stored value is assigned to, with the default a missing key gets.
// A control's default is its design value, taken from the window's table, so
// an empty store changes nothing.
struct CheckBoxSetting {
    forms::CheckBox card::CardControls::*box;
    forms::CheckValue fallback;
};

struct OptionSetting {
    forms::OptionButton card::CardControls::*button;
    bool fallback;
};

// The position mirror only makes sense on the stepping grid: an offset off it
// never meets an end of travel and runs away press after press.
enum class Grid { Offset, Direction };

struct PositionSetting {
    std::int16_t card::SetupVariables::*variable;
    std::int16_t fallback;
    Grid grid;
};

// The read step that reads nothing: the preview goes where the restored
// offsets say.
struct PreviewPlacement {};

using SettingTarget =
    std::variant<CheckBoxSetting, OptionSetting, PositionSetting, PreviewPlacement>;

struct SettingStep {
    std::string_view section;
    std::string_view key;
    int saveNumber;  // place in the save order; 0 for the preview, which is not saved
    SettingTarget target;
};

using card::CardControls;
using card::SetupVariables;

// A control's setting: its section, key and default come from its row of the
// window's table.
constexpr SettingStep saved(forms::CheckBox CardControls::*box, const forms::ControlRow& row,
                            int saveNumber) {
    return {row.section, row.key, saveNumber, CheckBoxSetting{box, row.value}};
}
constexpr SettingStep saved(forms::OptionButton CardControls::*button, const forms::ControlRow& row,
                            int saveNumber) {
    return {row.section, row.key, saveNumber, OptionSetting{button, row.value == forms::True}};
}

// Every setting, in the order a read applies them: at start-up this order is
// the order in which the restored choices reach the card. The save writes the
// same keys in saveNumber order, which differs in three places: "NormalOut" is
// written before the test signals it depends on but read after them, so its
// handler sees the restored signal; the save writes both offsets then both
// directions; and the preview, placed between the position keys and "Phase",
// is not saved at all.
// clang-format off
inline constexpr std::array<SettingStep, 21> kSettingSteps{{
    saved(&CardControls::chkVGAOnly,      card::kelSetupRow("chkVGAOnly"),      1),
    saved(&CardControls::optCompOut,      card::kelSetupRow("optCompOut"),      2),
    saved(&CardControls::optSVHSOut,      card::kelSetupRow("optSVHSOut"),      3),
    saved(&CardControls::optNTSC,         card::kelSetupRow("optNTSC"),         4),
    saved(&CardControls::optPAL,          card::kelSetupRow("optPAL"),          5),
    saved(&CardControls::optTestBlack,    card::kelSetupRow("optTestBlack"),    7),
    saved(&CardControls::optTestBars,     card::kelSetupRow("optTestBars"),     8),
    saved(&CardControls::optTestRamp,     card::kelSetupRow("optTestRamp"),     9),
    saved(&CardControls::chkNormalOut,    card::kelSetupRow("chkNormalOut"),    6),
    saved(&CardControls::chkBlanking,     card::kelSetupRow("chkBlanking"),     10),
    saved(&CardControls::optBlankBlue,    card::kelSetupRow("optBlankBlue"),    11),
    saved(&CardControls::optBlankBlack,   card::kelSetupRow("optBlankBlack"),   12),
    saved(&CardControls::optFilterNone,   card::kelSetupRow("optFilterNone"),   13),
    saved(&CardControls::optFilterMedium, card::kelSetupRow("optFilterMedium"), 14),
    saved(&CardControls::optFilterMax,    card::kelSetupRow("optFilterMax"),    15),
    {"Position", "Horizontal", 16, PositionSetting{&SetupVariables::curHorizValue, 0, Grid::Offset}},
    {"Direction", "Horizontal", 18, PositionSetting{&SetupVariables::curHorizDirection, 8, Grid::Direction}},
    {"Position", "Vertical", 17, PositionSetting{&SetupVariables::curVertValue, 0, Grid::Offset}},
    {"Direction", "Vertical", 19, PositionSetting{&SetupVariables::curVertDirection, 8, Grid::Direction}},
    {"", "", 0, PreviewPlacement{}},
    saved(&CardControls::chkPhase,        card::kelSetupRow("chkPhase"),        20),
}};
// clang-format on

inline constexpr std::size_t kSavedSettings = 20;

// The steps in save order, as indexes into kSettingSteps, worked out from the
// saveNumber column so that the table stays the one place that names each key.
constexpr std::array<std::size_t, kSavedSettings> saveOrder() {
    std::array<std::size_t, kSavedSettings> order{};
    order.fill(kSettingSteps.size());
    for (std::size_t index = 0; index < kSettingSteps.size(); ++index) {
        const int saveNumber = kSettingSteps.at(index).saveNumber;
        if (saveNumber != 0) {
            order.at(static_cast<std::size_t>(saveNumber - 1)) = index;
        }
    }
    return order;
}

constexpr bool everyKeyIsSavedOnce() {
    for (std::size_t index : saveOrder()) {
        if (index == kSettingSteps.size()) {
            return false;
        }
    }
    return true;
}
static_assert(everyKeyIsSavedOnce(), "each save number 1..20 must appear exactly once");

}  // namespace settings
