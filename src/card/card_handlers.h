#pragma once

#include "card/card_controls.h"
#include "card/driver_channel.h"
#include "card/position_stepping.h"
#include "card/setup_variables.h"

namespace card {

// What each check box and option button does to the card. A handler runs the
// same whether the user clicked or the program assigned the value, so the
// card is driven only from here.
class CardHandlers {
  public:
    CardHandlers(CardControls& controls, SetupVariables& vars, CardDriver& driver,
                 PositionStepping& stepping);

  private:
    using enum DriverCommand;
    static constexpr std::int16_t kComposite = 0;
    static constexpr std::int16_t kSvhs = 1;

    void SendDriverCommand(DriverCommand command) { driver_.SendDriverCommand(command); }
    void showVgaOnlyOrTurnTvOn();
    void resetForTvOn();
    void switchOutput(std::int16_t from, std::int16_t to);
    void showNormalOrTestSignal();
    void sendTestSignal(DriverCommand signal);
    void sendToggle(DriverCommand toggle);

    CardControls& c_;
    SetupVariables& vars_;
    CardDriver& driver_;
    PositionStepping& stepping_;

  public:
    // Every handler in one place: its control, and what a click on it does.
    using Click = forms::ClickHandler;
    Click chkVGAOnly_Click{c_.chkVGAOnly, [this] { showVgaOnlyOrTurnTvOn(); }};
    Click optCompOut_Click{c_.optCompOut, [this] { switchOutput(kSvhs, kComposite); }};
    Click optSVHSOut_Click{c_.optSVHSOut, [this] { switchOutput(kComposite, kSvhs); }};
    Click chkNormalOut_Click{c_.chkNormalOut, [this] { showNormalOrTestSignal(); }};
    Click optTestBlack_Click{c_.optTestBlack, [this] { sendTestSignal(DRV_TEST_BLACK); }};
    Click optTestBars_Click{c_.optTestBars, [this] { sendTestSignal(DRV_TEST_BARS); }};
    Click optTestRamp_Click{c_.optTestRamp, [this] { sendTestSignal(DRV_TEST_RAMP); }};
    Click optFilterNone_Click{c_.optFilterNone, [this] { SendDriverCommand(DRV_FILTER_NONE); }};
    Click optFilterMedium_Click{c_.optFilterMedium,
                                [this] { SendDriverCommand(DRV_FILTER_MEDIUM); }};
    Click optFilterMax_Click{c_.optFilterMax, [this] { SendDriverCommand(DRV_FILTER_MAX); }};
    Click chkBlanking_Click{c_.chkBlanking, [this] { sendToggle(DRV_BLANK_TOGGLE); }};
    Click optBlankBlack_Click{c_.optBlankBlack, [this] { SendDriverCommand(DRV_BLANK_BLACK); }};
    Click optBlankBlue_Click{c_.optBlankBlue, [this] { SendDriverCommand(DRV_BLANK_BLUE); }};
    Click chkPhase_Click{c_.chkPhase, [this] { sendToggle(DRV_PHASE_TOGGLE); }};
};

}  // namespace card
