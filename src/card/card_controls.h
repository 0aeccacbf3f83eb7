#pragma once

#include "card/kel_setup_table.h"

namespace card {

// The controls the card's code names, each made from its row of
// kKelSetupControls when the setup window loads; the load makes the other
// rows itself.
struct CardControls : ControlGroup {
    using ControlGroup::ControlGroup;

    forms::CheckBox chkVGAOnly = made<"chkVGAOnly">(window);
    forms::Frame frmOutputEnable = made<"frmOutputEnable">(window);
    forms::OptionButton optCompOut = made<"optCompOut">(window);
    forms::OptionButton optSVHSOut = made<"optSVHSOut">(window);

    forms::OptionButton optNTSC = made<"optNTSC">(window);
    forms::OptionButton optPAL = made<"optPAL">(window);

    forms::CheckBox chkNormalOut = made<"chkNormalOut">(window);
    forms::Frame frmTestSignal = made<"frmTestSignal">(window);
    forms::OptionButton optTestBlack = made<"optTestBlack">(window);
    forms::OptionButton optTestBars = made<"optTestBars">(window);
    forms::OptionButton optTestRamp = made<"optTestRamp">(window);

    forms::OptionButton optFilterNone = made<"optFilterNone">(window);
    forms::OptionButton optFilterMedium = made<"optFilterMedium">(window);
    forms::OptionButton optFilterMax = made<"optFilterMax">(window);

    forms::CheckBox chkBlanking = made<"chkBlanking">(window);
    forms::OptionButton optBlankBlack = made<"optBlankBlack">(window);
    forms::OptionButton optBlankBlue = made<"optBlankBlue">(window);

    forms::CheckBox chkPhase = made<"chkPhase">(window);
};

// The picture-position preview: the TV screen, the picture on it, and the
// two step buttons.
struct PreviewControls : ControlGroup {
    using ControlGroup::ControlGroup;

    forms::CommandButton cmdHorizAdjust = made<"cmdHorizAdjust">(window);
    forms::CommandButton cmdVertAdjust = made<"cmdVertAdjust">(window);
    forms::Shape shapeImage = made<"shapeImage">(window);
    forms::Shape shapeScreen = made<"shapeScreen">(window);
};

}  // namespace card
