#pragma once

#include "forms/controls.h"

namespace card {

// The check boxes, frames and option buttons that set up the card, created
// from their rows of kKelSetupControls each time the setup window loads.
// Frames are declared before the options they hold.
struct CardControls {
    explicit CardControls(forms::Form& window);

    forms::CheckBox chkVGAOnly;
    forms::Frame frmOutputEnable;
    forms::OptionButton optCompOut;
    forms::OptionButton optSVHSOut;

    forms::Frame Frame6;
    forms::OptionButton optNTSC;
    forms::OptionButton optPAL;

    forms::CheckBox chkNormalOut;
    forms::Frame frmTestSignal;
    forms::OptionButton optTestBlack;
    forms::OptionButton optTestBars;
    forms::OptionButton optTestRamp;

    forms::Frame Frame3;
    forms::OptionButton optFilterNone;
    forms::OptionButton optFilterMedium;
    forms::OptionButton optFilterMax;

    forms::CheckBox chkBlanking;
    forms::Frame Frame1;
    forms::OptionButton optBlankBlack;
    forms::OptionButton optBlankBlue;

    forms::CheckBox chkPhase;
};

// The picture-position preview: the TV screen, the picture on it, and the
// two step buttons.
struct PreviewControls {
    explicit PreviewControls(forms::Form& window);

    forms::CommandButton cmdHorizAdjust;
    forms::CommandButton cmdVertAdjust;
    forms::Shape shapeImage;
    forms::Shape shapeScreen;
};

}  // namespace card
