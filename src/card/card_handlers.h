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

    void connect();

    void chkVGAOnly_Click();
    void optCompOut_Click();
    void optSVHSOut_Click();
    void chkNormalOut_Click();
    void optTestBlack_Click();
    void optTestBars_Click();
    void optTestRamp_Click();
    void optFilterNone_Click();
    void optFilterMedium_Click();
    void optFilterMax_Click();
    void chkBlanking_Click();
    void optBlankBlack_Click();
    void optBlankBlue_Click();
    void chkPhase_Click();

  private:
    void SendDriverCommand(DriverCommand command) { driver_.SendDriverCommand(command); }
    void switchOutput(std::int16_t from, std::int16_t to);
    void sendTestSignal(DriverCommand signal);
    void resetForTvOn();

    CardControls& c_;
    SetupVariables& vars_;
    CardDriver& driver_;
    PositionStepping& stepping_;
};

}  // namespace card
