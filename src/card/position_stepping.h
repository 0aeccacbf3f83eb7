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

    // Whether the mirror holds a place the card's picture can be at. It does
    // not before the first read or TV-on reset: the variables start at 0,
    // with no direction, and say nothing about the card.
    bool mirrorIsOnGrid() const;
    // Steps the card's picture to the given offsets on the grid, press by
    // press as the buttons would, so the mirror, directions included, ends
    // where the card is. Places nothing.
    void travelTo(std::int16_t horizontal, std::int16_t vertical);

  private:
    // Tells the preview and both step buttons, for a screen reader, where
    // the preview now shows the picture.
    void tellPosition();
    void travel(std::int16_t& value, std::int16_t& direction, std::int16_t target,
                DriverCommand command);

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
