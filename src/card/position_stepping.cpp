#include "card/position_stepping.h"

#include <cmath>

#include "card/position_words.h"
#include "forms/checked_int16.h"

namespace card {

namespace {

// The reversal is tested before the step, by equality only: the press that
// finds the offset at an end turns it round.
void step(std::int16_t& value, std::int16_t& direction) {
    if (value == kEndOfTravel) {
        direction = -kStep;
    } else if (value == -kEndOfTravel) {
        direction = kStep;
    }
    value = forms::checkedAdd(value, direction);
}

// Out to one end, back to the other and home again: every offset on the grid
// comes up within one round trip, whichever way the picture is heading.
constexpr int kStepsPerRoundTrip = 4 * kEndOfTravel / kStep;

float placement(float screenEdge, std::int16_t offset) {
    const std::int16_t scaled = forms::checkedMul(kTwipsPerUnit, offset);
    return screenEdge + kCentringDistance + static_cast<float>(scaled);
}

}  // namespace

PositionStepping::PositionStepping(PreviewControls& preview, SetupVariables& vars,
                                   CardDriver& driver)
    : preview_(preview), vars_(vars), driver_(driver) {}

void PositionStepping::connect() {
    preview_.cmdHorizAdjust.setClickHandler([this] { cmdHorizAdjust_Click(); });
    preview_.cmdVertAdjust.setClickHandler([this] { cmdVertAdjust_Click(); });
    preview_.shapeScreen.setAccessible(&forms::AccessibleText::name, std::string(kPreviewName));
    tellPosition();
}

// The words follow what the preview shows, whichever way the picture got
// there, so they are worked out from the two shapes.
void PositionStepping::tellPosition() {
    const auto offset = [](float image, float screen) {
        return static_cast<std::int16_t>(
            std::lround((image - screen - kCentringDistance) / static_cast<float>(kTwipsPerUnit)));
    };
    const forms::Geometry& image = preview_.shapeImage.geometry();
    const forms::Geometry& screen = preview_.shapeScreen.geometry();
    const std::string words =
        positionInWords(offset(image.left, screen.left), offset(image.top, screen.top));
    preview_.shapeScreen.setAccessible(&forms::AccessibleText::value, words);
    preview_.cmdHorizAdjust.setAccessible(&forms::AccessibleText::description, words);
    preview_.cmdVertAdjust.setAccessible(&forms::AccessibleText::description, words);
}

void PositionStepping::cmdHorizAdjust_Click() {
    step(vars_.curHorizValue, vars_.curHorizDirection);
    const float screenLeft = preview_.shapeScreen.geometry().left;
    preview_.shapeImage.move(placement(screenLeft, vars_.curHorizValue));
    tellPosition();
    driver_.SendDriverCommand(DriverCommand::DRV_HORIZ_STEP);
}

void PositionStepping::cmdVertAdjust_Click() {
    step(vars_.curVertValue, vars_.curVertDirection);
    const float imageLeft = preview_.shapeImage.geometry().left;
    const float screenTop = preview_.shapeScreen.geometry().top;
    preview_.shapeImage.move(imageLeft, placement(screenTop, vars_.curVertValue));
    tellPosition();
    driver_.SendDriverCommand(DriverCommand::DRV_VERT_STEP);
}

void PositionStepping::PlacePreviewImage(std::int16_t horizontal, std::int16_t vertical) {
    const auto& screen = preview_.shapeScreen.geometry();
    const float top = placement(screen.top, vertical);
    const float left = placement(screen.left, horizontal);
    preview_.shapeImage.move(left, top);
    tellPosition();
}

bool PositionStepping::mirrorIsOnGrid() const {
    return isOnStepGrid(vars_.curHorizValue) && isStepDirection(vars_.curHorizDirection) &&
           isOnStepGrid(vars_.curVertValue) && isStepDirection(vars_.curVertDirection);
}

void PositionStepping::travelTo(std::int16_t horizontal, std::int16_t vertical) {
    travel(vars_.curHorizValue, vars_.curHorizDirection, horizontal, DriverCommand::DRV_HORIZ_STEP);
    travel(vars_.curVertValue, vars_.curVertDirection, vertical, DriverCommand::DRV_VERT_STEP);
}

void PositionStepping::travel(std::int16_t& value, std::int16_t& direction, std::int16_t target,
                              DriverCommand command) {
    for (int steps = 0; value != target && steps < kStepsPerRoundTrip; ++steps) {
        step(value, direction);
        driver_.SendDriverCommand(command);
    }
}

}  // namespace card
