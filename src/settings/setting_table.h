#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include "card/card_controls.h"
#include "card/setup_variables.h"

namespace settings {

// What a stored value is assigned to, with the default a missing key gets.
// The defaults are the window's design values, so an empty store changes
// nothing.
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

// Every setting, in the order a read applies them. The save writes the same
// keys in saveNumber order, which differs in three places: "NormalOut" is
// written before the test signals it depends on but read after them, so its
// handler sees the restored signal; the save writes both offsets then both
// directions; and the preview, placed between the position keys and "Phase",
// is not saved at all.
inline constexpr std::array<SettingStep, 21> kSettingSteps{{
    {"ActiveOut", "VGAOnly", 1, CheckBoxSetting{&CardControls::chkVGAOnly, 1}},
    {"ActiveOut", "CompOut", 2, OptionSetting{&CardControls::optCompOut, true}},
    {"ActiveOut", "SVHSOut", 3, OptionSetting{&CardControls::optSVHSOut, false}},
    {"Standard", "NTSC", 4, OptionSetting{&CardControls::optNTSC, true}},
    {"Standard", "PAL", 5, OptionSetting{&CardControls::optPAL, false}},
    {"Signal", "Black", 7, OptionSetting{&CardControls::optTestBlack, false}},
    {"Signal", "Bars", 8, OptionSetting{&CardControls::optTestBars, true}},
    {"Signal", "Ramp", 9, OptionSetting{&CardControls::optTestRamp, false}},
    {"Signal", "NormalOut", 6, CheckBoxSetting{&CardControls::chkNormalOut, 1}},
    {"Blanking", "BlankOn", 10, CheckBoxSetting{&CardControls::chkBlanking, 0}},
    {"Blanking", "Blue", 11, OptionSetting{&CardControls::optBlankBlue, true}},
    {"Blanking", "Black", 12, OptionSetting{&CardControls::optBlankBlack, false}},
    {"Filter", "None", 13, OptionSetting{&CardControls::optFilterNone, false}},
    {"Filter", "Medium", 14, OptionSetting{&CardControls::optFilterMedium, true}},
    {"Filter", "Maximum", 15, OptionSetting{&CardControls::optFilterMax, false}},
    {"Position", "Horizontal", 16,
     PositionSetting{&SetupVariables::curHorizValue, 0, Grid::Offset}},
    {"Direction", "Horizontal", 18,
     PositionSetting{&SetupVariables::curHorizDirection, 8, Grid::Direction}},
    {"Position", "Vertical", 17, PositionSetting{&SetupVariables::curVertValue, 0, Grid::Offset}},
    {"Direction", "Vertical", 19,
     PositionSetting{&SetupVariables::curVertDirection, 8, Grid::Direction}},
    {"", "", 0, PreviewPlacement{}},
    {"Phase", "Phase", 20, CheckBoxSetting{&CardControls::chkPhase, 0}},
}};

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
