#include "card/card_controls.h"

namespace card {

namespace {

constexpr bool Disabled = false;

forms::ControlDesign design(const char* name, const char* caption, forms::Geometry at, int tab,
                            bool enabled = true) {
    return {name, caption, at, tab, enabled};
}

}  // namespace

// Positions in twips; controls inside a frame are placed relative to it.
CardControls::CardControls(forms::Form& w)
    : chkVGAOnly(w, design("chkVGAOnly", "Display on VGA only, or", {210, 120, 1380, 495}, 12), 1),
      frmOutputEnable(
          w, design("frmOutputEnable", "Output Signal", {210, 630, 1275, 855}, 9, Disabled)),
      optCompOut(w, design("optCompOut", "Composite", {120, 240, 1095, 255}, 10, Disabled), true,
                 &frmOutputEnable),
      optSVHSOut(w, design("optSVHSOut", "S-VHS", {120, 480, 1095, 255}, 11, Disabled), false,
                 &frmOutputEnable),
      Frame6(w, design("Frame6", "Standard", {1785, 3570, 1695, 645}, 13)),
      optNTSC(w, design("optNTSC", "NTSC", {105, 315, 765, 255}, 14), true, &Frame6),
      optPAL(w, design("optPAL", "PAL", {945, 315, 660, 255}, 15), false, &Frame6),
      chkNormalOut(w, design("chkNormalOut", "Show Normal output, or", {1785, 120, 1335, 495}, 4),
                   1),
      frmTestSignal(w,
                    design("frmTestSignal", "Test Signal", {1785, 630, 1275, 1095}, 0, Disabled)),
      optTestBlack(w, design("optTestBlack", "Black", {120, 240, 975, 255}, 1, Disabled), false,
                   &frmTestSignal),
      optTestBars(w, design("optTestBars", "Color Bars", {120, 480, 1095, 255}, 2, Disabled), true,
                  &frmTestSignal),
      optTestRamp(w, design("optTestRamp", "Ramp", {120, 720, 855, 255}, 3, Disabled), false,
                  &frmTestSignal),
      Frame3(w, design("Frame3", "Filter Selection", {210, 1785, 1275, 1095}, 5)),
      optFilterNone(w, design("optFilterNone", "None", {120, 240, 975, 255}, 6), false, &Frame3),
      optFilterMedium(w, design("optFilterMedium", "Medium", {120, 480, 1095, 255}, 7), true,
                      &Frame3),
      optFilterMax(w, design("optFilterMax", "Maximum", {120, 720, 1095, 255}, 8), false, &Frame3),
      chkBlanking(w, design("chkBlanking", "Video Blanking Select", {1785, 1785, 1410, 390}, 21),
                  0),
      Frame1(w, design("Frame1", "Blanking Color", {1785, 2835, 1695, 675}, 18)),
      optBlankBlack(w, design("optBlankBlack", "Black", {945, 315, 720, 255}, 20), false, &Frame1),
      optBlankBlue(w, design("optBlankBlue", "Blue", {120, 315, 975, 255}, 19), true, &Frame1),
      chkPhase(w, design("chkPhase", "Video Phase Select", {1785, 2310, 1335, 330}, 17), 0) {}

PreviewControls::PreviewControls(forms::Form& w)
    : cmdHorizAdjust(w, design("cmdHorizAdjust", "Horiz", {1845, 5640, 690, 405}, 26)),
      cmdVertAdjust(w, design("cmdVertAdjust", "Vert", {2760, 5640, 690, 405}, 25)),
      shapeImage(w, {"shapeImage", "", {2160, 4500, 990, 885}, {}, true}, {0, 255, 0}),
      shapeScreen(w, {"shapeScreen", "", {1965, 4320, 1380, 1275}, {}, true}, {192, 192, 192}) {}

}  // namespace card
