#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string_view>
#include <tuple>

#include "card/kel_setup_table.h"
#include "card/setup_variables.h"

namespace settings {

// What a stored text holds. Offsets and directions are the position mirror,
// which only makes sense on the stepping grid.
enum class Kind { CheckValue, Truth, Offset, Direction, Preview };

// One step of a read: the key, what it holds, the default a missing key reads
// as, and where the value goes: a form variable, or a control of the setup
// window by its place in the window's table.
struct SettingStep {
    std::string_view section{};
    std::string_view key{};
    Kind kind = Kind::Preview;
    std::int16_t fallback = 0;
    std::int16_t card::SetupVariables::*variable = nullptr;
    std::size_t control = std::numeric_limits<std::size_t>::max();
    std::string_view frame{};  // an option's frame: the group it is read with
};

// A control's setting: its key and default come from its row, so an empty
// store reads as the window is designed.
consteval SettingStep control(std::string_view name) {
    const std::size_t position = forms::stackingPosition(card::kKelSetupControls, name);
    const forms::ControlRow& row = card::kKelSetupControls.at(position);
    if (row.section.empty()) {
        throw std::out_of_range("a control that is not saved");
    }
    const bool option = row.kind == forms::ControlKind::OptionButton;
    return {row.section, row.key,      option ? Kind::Truth : Kind::CheckValue, row.value, nullptr,
            position,    row.container};
}

// Every setting, in the order a read applies them: at start-up this is the
// order in which the restored choices reach the card. "VGAOnly" comes first,
// as the rest overwrite its TV-on reset; the test signals come before
// "NormalOut", so that its handler sees the restored signal.
using card::SetupVariables;
// clang-format off
inline constexpr auto kSettingSteps = std::to_array<SettingStep>({
    control("chkVGAOnly"), control("optCompOut"), control("optSVHSOut"),
    control("optNTSC"), control("optPAL"),
    control("optTestBlack"), control("optTestBars"), control("optTestRamp"), control("chkNormalOut"),
    control("chkBlanking"), control("optBlankBlue"), control("optBlankBlack"),
    control("optFilterNone"), control("optFilterMedium"), control("optFilterMax"),
    {"Position",  "Horizontal", Kind::Offset,    0, &SetupVariables::curHorizValue},
    {"Direction", "Horizontal", Kind::Direction, 8, &SetupVariables::curHorizDirection},
    {"Position",  "Vertical",   Kind::Offset,    0, &SetupVariables::curVertValue},
    {"Direction", "Vertical",   Kind::Direction, 8, &SetupVariables::curVertDirection},
    {},  // PlacePreviewImage: the preview goes where the restored offsets say
    control("chkPhase"),
});
// clang-format on

inline constexpr std::size_t kSavedSettings = kSettingSteps.size() - 1;

consteval bool everySavedControlIsReadOnce() {
    for (std::size_t position = 0; position < card::kKelSetupControls.size(); ++position) {
        const bool saved = !card::kKelSetupControls.at(position).section.empty();
        if (std::ranges::count(kSettingSteps, position, &SettingStep::control) != (saved ? 1 : 0)) {
            return false;
        }
    }
    return true;
}
static_assert(everySavedControlIsReadOnce(), "every control with a key is read, and once");

// The save writes section by section, in the order the read first comes to
// them, and in each section the check box before the options it governs. So
// it differs from the read in three places: "NormalOut" is written before the
// test signals, both offsets before both directions, and the preview is not
// saved at all.
consteval std::array<const SettingStep*, kSavedSettings> saveOrder() {
    std::array<const SettingStep*, kSavedSettings> order{};
    auto next = order.begin();
    for (const SettingStep& step : kSettingSteps) {
        if (!step.section.empty()) {
            *next++ = &step;
        }
    }
    std::ranges::sort(order, {}, [](const SettingStep* step) {
        const auto* section =
            std::ranges::find(kSettingSteps, step->section, &SettingStep::section);
        return std::tuple(section, step->kind != Kind::CheckValue, step);
    });
    return order;
}
inline constexpr auto kSaveOrder = saveOrder();

}  // namespace settings
