#include "card/card_controls.h"

#include "card/kel_setup_table.h"

namespace card {

using forms::makeCheckBox;
using forms::makeFrame;
using forms::makeOptionButton;

CardControls::CardControls(forms::Form& w)
    : chkVGAOnly(makeCheckBox(w, kelSetupRow("chkVGAOnly"))),
      frmOutputEnable(makeFrame(w, kelSetupRow("frmOutputEnable"))),
      optCompOut(makeOptionButton(w, kelSetupRow("optCompOut"), frmOutputEnable)),
      optSVHSOut(makeOptionButton(w, kelSetupRow("optSVHSOut"), frmOutputEnable)),
      Frame6(makeFrame(w, kelSetupRow("Frame6"))),
      optNTSC(makeOptionButton(w, kelSetupRow("optNTSC"), Frame6)),
      optPAL(makeOptionButton(w, kelSetupRow("optPAL"), Frame6)),
      chkNormalOut(makeCheckBox(w, kelSetupRow("chkNormalOut"))),
      frmTestSignal(makeFrame(w, kelSetupRow("frmTestSignal"))),
      optTestBlack(makeOptionButton(w, kelSetupRow("optTestBlack"), frmTestSignal)),
      optTestBars(makeOptionButton(w, kelSetupRow("optTestBars"), frmTestSignal)),
      optTestRamp(makeOptionButton(w, kelSetupRow("optTestRamp"), frmTestSignal)),
      Frame3(makeFrame(w, kelSetupRow("Frame3"))),
      optFilterNone(makeOptionButton(w, kelSetupRow("optFilterNone"), Frame3)),
      optFilterMedium(makeOptionButton(w, kelSetupRow("optFilterMedium"), Frame3)),
      optFilterMax(makeOptionButton(w, kelSetupRow("optFilterMax"), Frame3)),
      chkBlanking(makeCheckBox(w, kelSetupRow("chkBlanking"))),
      Frame1(makeFrame(w, kelSetupRow("Frame1"))),
      optBlankBlack(makeOptionButton(w, kelSetupRow("optBlankBlack"), Frame1)),
      optBlankBlue(makeOptionButton(w, kelSetupRow("optBlankBlue"), Frame1)),
      chkPhase(makeCheckBox(w, kelSetupRow("chkPhase"))) {}

PreviewControls::PreviewControls(forms::Form& w)
    : cmdHorizAdjust(forms::makeCommandButton(w, kelSetupRow("cmdHorizAdjust"))),
      cmdVertAdjust(forms::makeCommandButton(w, kelSetupRow("cmdVertAdjust"))),
      shapeImage(forms::makeShape(w, kelSetupRow("shapeImage"))),
      shapeScreen(forms::makeShape(w, kelSetupRow("shapeScreen"))) {}

}  // namespace card
