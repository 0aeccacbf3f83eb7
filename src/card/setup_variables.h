#pragma once

#include <cstdint>

namespace card {

// The setup window's form variables, in their declared order. They outlive an
// unload of the window; only the running program resets them (to 0).
struct SetupVariables {
    // The output the card was last switched to: 0 composite, 1 S-VHS.
    std::int16_t DisplayMode = 0;
    // Flag: the window is at its advanced width (kept by the window itself).
    std::int16_t advancedShowing = 0;
    // Flag: True once a TV-on reset has brought the toggles in step with the card.
    std::int16_t UpdateCard = 0;
    std::int16_t curHorizValue = 0;
    std::int16_t curHorizDirection = 0;
    std::int16_t curVertValue = 0;
    std::int16_t curVertDirection = 0;
};

}  // namespace card
