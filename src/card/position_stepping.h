#pragma once

#include <cstdint>

#include "card/card_controls.h"
#include "card/driver_channel.h"
#include "card/setup_variables.h"

namespace card {

// The picture-position mirror. The step command carries neither direction
// nor size and the card reports nothing, so each axis keeps its own offset
// (-64..64 in steps of 8) and direction (+8 or -8) and bounces between the ends.
class PositionStepping {
  public:
    PositionStepping(PreviewControls& preview, SetupVariables& vars, CardDriver& driver);

    void connect();
    void cmdHorizAdjust_Click();
    void cmdVertAdjust_Click();
    // Moves the preview picture to the given offsets in one move; sends nothing.
    void PlacePreviewImage(std::int16_t horizontal, std::int16_t vertical);

  private:
    PreviewControls& preview_;
    SetupVariables& vars_;
    CardDriver& driver_;
};

// One press moves an offset by 8 units; the ends of travel are -64 and 64.
inline constexpr std::int16_t kStep = 8;
inline constexpr std::int16_t kEndOfTravel = 64;

// The values stepping itself can reach: anything else never turns at an end.
constexpr bool isOnStepGrid(std::int16_t offset) {
    return offset >= -kEndOfTravel && offset <= kEndOfTravel && offset % kStep == 0;
}
constexpr bool isStepDirection(std::int16_t direction) {
    return direction == kStep || direction == -kStep;
}

// Offset 0 puts the picture 192 twips inside the screen; each unit is 3 twips.
inline constexpr float kCentringDistance = 192;
inline constexpr std::int16_t kTwipsPerUnit = 3;

}  // namespace card
