#pragma once

#include <array>
#include <cstdint>

namespace card {

// The escape through which the card's display driver takes its commands.
inline constexpr int DRV_ESCAPE = 42;

// Every code the card understands. The driver reports nothing back, so the
// toggles (1, 22) and the output pair (20, 21) say only "switch over".
enum class DriverCommand : std::int16_t {
    DRV_BLANK_TOGGLE = 1,
    DRV_VERT_STEP = 2,
    DRV_HORIZ_STEP = 3,
    DRV_TEST_BLACK = 4,
    DRV_TEST_RAMP = 5,
    DRV_TEST_BARS = 6,
    DRV_NORMAL_OUT = 7,
    DRV_FILTER_NONE = 16,
    DRV_FILTER_MEDIUM = 17,
    DRV_FILTER_MAX = 18,
    DRV_OUTPUT_SWAP_1 = 20,
    DRV_OUTPUT_SWAP_2 = 21,
    DRV_PHASE_TOGGLE = 22,
    DRV_VGA_ONLY = 23,
    DRV_BLANK_BLACK = 32,
    DRV_BLANK_BLUE = 33,
    DRV_TV_ON = 127,
};

constexpr int codeOf(DriverCommand command) {
    return static_cast<int>(command);
}

// The 4-byte command variable handed to the escape: the code low byte first,
// then zeros. Only the first two bytes are announced to the driver.
constexpr std::array<std::uint8_t, 4> commandVariable(DriverCommand command) {
    const auto code = static_cast<std::uint16_t>(command);
    return {static_cast<std::uint8_t>(code & 0xFFU), static_cast<std::uint8_t>(code >> 8U), 0, 0};
}

}  // namespace card
