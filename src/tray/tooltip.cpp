#include "tray/tooltip.h"

namespace tray {

namespace {

const char* outputPart(const card::CardControls& c) {
    if (c.chkVGAOnly.value() == 1) {
        return "VGA Only";
    }
    return c.optCompOut.value() == forms::True ? "Comp Out" : "SVHS Out";
}

const char* filterPart(const card::CardControls& c) {
    if (c.optFilterNone.value() == forms::True) {
        // kept on purpose: "No Filtering " ends in a blank, unlike the other
        // filter names; the tooltip has always read so.
        return "No Filtering ";
    }
    if (c.optFilterMedium.value() == forms::True) {
        return "Medium Filter";
    }
    if (c.optFilterMax.value() == forms::True) {
        return "Maximum Filter";
    }
    return "";
}

}  // namespace

std::string composeTooltip(const card::CardControls& controls) {
    return std::string("Lumivance is currently set up for ") + outputPart(controls) + " - " +
           filterPart(controls);
}

}  // namespace tray
