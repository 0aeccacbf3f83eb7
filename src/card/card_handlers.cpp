#include "card/card_handlers.h"

namespace card {

namespace {

constexpr std::int16_t kComposite = 0;
constexpr std::int16_t kSvhs = 1;
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

void CardHandlers::connect() {
    c_.chkVGAOnly.setClickHandler([this] { chkVGAOnly_Click(); });
    c_.optCompOut.setClickHandler([this] { optCompOut_Click(); });
    c_.optSVHSOut.setClickHandler([this] { optSVHSOut_Click(); });
    c_.chkNormalOut.setClickHandler([this] { chkNormalOut_Click(); });
    c_.optTestBlack.setClickHandler([this] { optTestBlack_Click(); });
    c_.optTestBars.setClickHandler([this] { optTestBars_Click(); });
    c_.optTestRamp.setClickHandler([this] { optTestRamp_Click(); });
    c_.optFilterNone.setClickHandler([this] { optFilterNone_Click(); });
    c_.optFilterMedium.setClickHandler([this] { optFilterMedium_Click(); });
    c_.optFilterMax.setClickHandler([this] { optFilterMax_Click(); });
    c_.chkBlanking.setClickHandler([this] { chkBlanking_Click(); });
    c_.optBlankBlack.setClickHandler([this] { optBlankBlack_Click(); });
    c_.optBlankBlue.setClickHandler([this] { optBlankBlue_Click(); });
    c_.chkPhase.setClickHandler([this] { chkPhase_Click(); });
}

void CardHandlers::chkVGAOnly_Click() {
    const bool vgaOnly = isChecked(c_.chkVGAOnly);
    setEnabled(!vgaOnly, {&c_.frmOutputEnable, &c_.optCompOut, &c_.optSVHSOut});
    if (vgaOnly) {
        SendDriverCommand(DriverCommand::DRV_VGA_ONLY);
        return;
    }
    SendDriverCommand(DriverCommand::DRV_TV_ON);
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
    SendDriverCommand(DriverCommand::DRV_OUTPUT_SWAP_1);
    SendDriverCommand(DriverCommand::DRV_OUTPUT_SWAP_2);
    vars_.DisplayMode = to;
}

void CardHandlers::optCompOut_Click() {
    switchOutput(kSvhs, kComposite);
}

void CardHandlers::optSVHSOut_Click() {
    switchOutput(kComposite, kSvhs);
}

void CardHandlers::chkNormalOut_Click() {
    const bool normal = isChecked(c_.chkNormalOut);
    setEnabled(!normal, {&c_.frmTestSignal, &c_.optTestBlack, &c_.optTestBars, &c_.optTestRamp});
    if (normal) {
        SendDriverCommand(DriverCommand::DRV_NORMAL_OUT);
    } else if (c_.optTestBlack.value() == forms::True) {
        SendDriverCommand(DriverCommand::DRV_TEST_BLACK);
    } else if (c_.optTestBars.value() == forms::True) {
        SendDriverCommand(DriverCommand::DRV_TEST_BARS);
    } else {
        SendDriverCommand(DriverCommand::DRV_TEST_RAMP);
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

void CardHandlers::optTestBlack_Click() {
    sendTestSignal(DriverCommand::DRV_TEST_BLACK);
}

void CardHandlers::optTestBars_Click() {
    sendTestSignal(DriverCommand::DRV_TEST_BARS);
}

void CardHandlers::optTestRamp_Click() {
    sendTestSignal(DriverCommand::DRV_TEST_RAMP);
}

void CardHandlers::optFilterNone_Click() {
    SendDriverCommand(DriverCommand::DRV_FILTER_NONE);
}

void CardHandlers::optFilterMedium_Click() {
    SendDriverCommand(DriverCommand::DRV_FILTER_MEDIUM);
}

void CardHandlers::optFilterMax_Click() {
    SendDriverCommand(DriverCommand::DRV_FILTER_MAX);
}

// The toggles say only "switch over", so they are sent once per change and
// never before a TV-on reset has told us where the card stands.
void CardHandlers::chkBlanking_Click() {
    if (vars_.UpdateCard == forms::True) {
        SendDriverCommand(DriverCommand::DRV_BLANK_TOGGLE);
    }
}

void CardHandlers::optBlankBlack_Click() {
    SendDriverCommand(DriverCommand::DRV_BLANK_BLACK);
}

void CardHandlers::optBlankBlue_Click() {
    SendDriverCommand(DriverCommand::DRV_BLANK_BLUE);
}

void CardHandlers::chkPhase_Click() {
    if (vars_.UpdateCard == forms::True) {
        SendDriverCommand(DriverCommand::DRV_PHASE_TOGGLE);
    }
}

}  // namespace card
