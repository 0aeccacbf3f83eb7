#include "card/card_handlers.h"

namespace card {

namespace {

constexpr std::int16_t kDirectionAfterReset = 8;

bool isChecked(const forms::CheckBox& box) {
    return box.value() == 1;
}

void setEnabled(bool enabled, std::initializer_list<forms::Control*> controls) {
    for (forms::Control* control : controls) {
        control->setEnabled(enabled);
    }
}

}  // namespace

CardHandlers::CardHandlers(CardControls& controls, SetupVariables& vars, CardDriver& driver,
                           PositionStepping& stepping)
    : c_(controls), vars_(vars), driver_(driver), stepping_(stepping) {}

void CardHandlers::showVgaOnlyOrTurnTvOn() {
    const bool vgaOnly = isChecked(c_.chkVGAOnly);
    setEnabled(!vgaOnly, {&c_.frmOutputEnable, &c_.optCompOut, &c_.optSVHSOut});
    if (vgaOnly) {
        SendDriverCommand(DRV_VGA_ONLY);
        return;
    }
    SendDriverCommand(DRV_TV_ON);
    resetForTvOn();
}

// TV-on brings the card back to composite, blanking off and phase not
// switched: the controls are set to match without sending those toggles
// (DisplayMode already 0, UpdateCard False while the boxes are cleared).
void CardHandlers::resetForTvOn() {
    vars_.DisplayMode = kComposite;
    c_.optCompOut.setValue(true);
    c_.optFilterMax.setValue(true);
    vars_.UpdateCard = forms::False;
    c_.chkBlanking.setValue(0);
    c_.chkPhase.setValue(0);
    vars_.curHorizDirection = kDirectionAfterReset;
    vars_.curVertDirection = kDirectionAfterReset;
    vars_.UpdateCard = forms::True;
    vars_.curHorizValue = 0;
    vars_.curVertValue = 0;
    stepping_.PlacePreviewImage(0, 0);
}

// The pair 20, 21 switches the output over either way, so it goes out only
// when the card is known to be on the other output. kept on purpose: picking
// the output the card already has sends nothing, even when the user picks it
// again to be sure; a second pair would switch the card away from it.
void CardHandlers::switchOutput(std::int16_t from, std::int16_t to) {
    if (vars_.DisplayMode != from) {
        return;
    }
    SendDriverCommand(DRV_OUTPUT_SWAP_1);
    SendDriverCommand(DRV_OUTPUT_SWAP_2);
    vars_.DisplayMode = to;
}

void CardHandlers::showNormalOrTestSignal() {
    const bool normal = isChecked(c_.chkNormalOut);
    setEnabled(!normal, {&c_.frmTestSignal, &c_.optTestBlack, &c_.optTestBars, &c_.optTestRamp});
    if (normal) {
        SendDriverCommand(DRV_NORMAL_OUT);
    } else if (c_.optTestBlack.value() == forms::True) {
        SendDriverCommand(DRV_TEST_BLACK);
    } else if (c_.optTestBars.value() == forms::True) {
        SendDriverCommand(DRV_TEST_BARS);
    } else {
        SendDriverCommand(DRV_TEST_RAMP);
    }
}

// While normal output is shown a test signal is only remembered: it goes out
// when normal output is cleared, so the card never shows a test signal the
// window does not.
void CardHandlers::sendTestSignal(DriverCommand signal) {
    if (!isChecked(c_.chkNormalOut)) {
        SendDriverCommand(signal);
    }
}

// The toggles say only "switch over", so they are sent once per change and
// never before a TV-on reset has told us where the card stands.
void CardHandlers::sendToggle(DriverCommand toggle) {
    if (vars_.UpdateCard == forms::True) {
        SendDriverCommand(toggle);
    }
}

}  // namespace card
