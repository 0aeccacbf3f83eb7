#include "card/kel_setup_table.h"

namespace card {

forms::FormDesign kelSetupWindow() {
    forms::FormDesign design;
    design.name = "KelSetup";
    design.windowClass = "QuendaSetup";
    design.caption = "Orvix";
    design.clientWidth = 3645;
    design.clientHeight = 6210;
    design.dialogFrame = true;
    design.showInTaskbar = false;
    design.iconResource = kSetupWindowIcon;
    design.controls = kKelSetupControls;
    return design;
}

}  // namespace card
