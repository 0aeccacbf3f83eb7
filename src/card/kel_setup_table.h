#pragma once

#include <array>
#include <string_view>

#include "forms/control_table.h"
#include "forms/form.h"

namespace card {

// The setup window "Orvix" as designed: its frames and controls, one row
// each, front-most first. The layout, the tab order, the stacking order,
// the frame of each option, the design values a load starts from, and the
// sections, keys and defaults of the settings all come from here. A design
// value is also what a missing setting reads as, so a first start with an
// empty store changes no control and sends nothing.
// clang-format off
inline constexpr auto kKelSetupControls = std::to_array<forms::ControlRow>({
    //                     name              caption                    Left  Top   Width Height  Tab
    forms::commandButton("cmdHorizAdjust", "Horiz",                    {1845, 5640, 690,  405},   26),
    forms::commandButton("cmdVertAdjust",  "Vert",                     {2760, 5640, 690,  405},   25),
    forms::commandButton("cmdExit",        "Exit",                     {210,  4620, 1275, 435},   24),
    forms::commandButton("cmdCancel",      "Cancel",                   {210,  3990, 1275, 435},   23),
    forms::commandButton("cmdOK",          "OK",                       {210,  3360, 1275, 435},   22),
    forms::checkBox     ("chkBlanking",    "Video Blanking Select",    {1785, 1785, 1410, 390},   21, 0, "Blanking", "BlankOn"),
    forms::frame        ("Frame1",         "Blanking Color",           {1785, 2835, 1695, 675},   18),
    forms::optionButton ("optBlankBlack",  "Black", "Frame1",          {945,  315,  720,  255},   20, forms::False, "Blanking", "Black"),
    forms::optionButton ("optBlankBlue",   "Blue", "Frame1",           {120,  315,  975,  255},   19, forms::True, "Blanking", "Blue"),
    forms::checkBox     ("chkPhase",       "Video Phase Select",       {1785, 2310, 1335, 330},   17, 0, "Phase", "Phase"),
    // kept on purpose: a load shows "Advanced >>" with a blank; the captions
    // the button sets itself afterwards have none.
    forms::commandButton("cmdAdvanced",    "Advanced >>",              {210,  5565, 1275, 435},   16),
    forms::frame        ("Frame6",         "Standard",                 {1785, 3570, 1695, 645},   13),
    // The TV standard is kept, never sent: its options answer no click.
    forms::withoutClickHandler(forms::optionButton("optPAL",  "PAL",  "Frame6", {945, 315, 660, 255}, 15, forms::False, "Standard", "PAL")),
    forms::withoutClickHandler(forms::optionButton("optNTSC", "NTSC", "Frame6", {105, 315, 765, 255}, 14, forms::True,  "Standard", "NTSC")),
    forms::checkBox     ("chkVGAOnly",     "Display on VGA only, or",  {210,  120,  1380, 495},   12, 1, "ActiveOut", "VGAOnly"),
    // The VGA-only box is set, so the output group starts disabled; likewise
    // the test signals behind the normal-output box.
    forms::disabled(forms::frame       ("frmOutputEnable", "Output Signal",              {210,  630,  1275, 855},  9)),
    forms::disabled(forms::optionButton("optSVHSOut",  "S-VHS", "frmOutputEnable",       {120,  480,  1095, 255},  11, forms::False, "ActiveOut", "SVHSOut")),
    forms::disabled(forms::optionButton("optCompOut",  "Composite", "frmOutputEnable",   {120,  240,  1095, 255},  10, forms::True, "ActiveOut", "CompOut")),
    forms::frame        ("Frame3",         "Filter Selection",         {210,  1785, 1275, 1095},  5),
    forms::optionButton ("optFilterMax",   "Maximum", "Frame3",        {120,  720,  1095, 255},   8, forms::False, "Filter", "Maximum"),
    forms::optionButton ("optFilterMedium", "Medium", "Frame3",        {120,  480,  1095, 255},   7, forms::True, "Filter", "Medium"),
    forms::optionButton ("optFilterNone",  "None", "Frame3",           {120,  240,  975,  255},   6, forms::False, "Filter", "None"),
    forms::checkBox     ("chkNormalOut",   "Show Normal output, or",   {1785, 120,  1335, 495},   4, 1, "Signal", "NormalOut"),
    forms::disabled(forms::frame       ("frmTestSignal", "Test Signal",                  {1785, 630,  1275, 1095}, 0)),
    forms::disabled(forms::optionButton("optTestRamp",  "Ramp", "frmTestSignal",         {120,  720,  855,  255},  3, forms::False, "Signal", "Ramp")),
    forms::disabled(forms::optionButton("optTestBars",  "Color Bars", "frmTestSignal",   {120,  480,  1095, 255},  2, forms::True, "Signal", "Bars")),
    forms::disabled(forms::optionButton("optTestBlack", "Black", "frmTestSignal",        {120,  240,  975,  255},  1, forms::False, "Signal", "Black")),
    // Drawn on the window itself, behind every other control.
    forms::shape        ("shapeImage",     {2160, 4500, 990,  885},  {0, 255, 0}),
    forms::shape        ("shapeScreen",    {1965, 4320, 1380, 1275}, {192, 192, 192}),
});
// clang-format on

static_assert(forms::isConsistent(kKelSetupControls), "a name twice, or an option outside a frame");

// One of the window's controls, made from its row: a name the window lacks,
// or a member of another kind than its row, does not compile.
template <forms::ControlName Name>
auto made(forms::Form& window) {
    return forms::made<kKelSetupControls, Name>(window);
}

// The base of each group of controls that code names: its members are made
// by made<"name">(window) as the window loads.
struct ControlGroup {
    explicit ControlGroup(forms::Form& window) : window(window) {}
    forms::Form& window;
};

// The window itself: a fixed dialog with no task-bar button, showing the
// program's icon (the resource WinMain checks is that number).
inline constexpr int kSetupWindowIcon = 1;
forms::FormDesign kelSetupWindow();

}  // namespace card
