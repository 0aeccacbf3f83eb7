#include "settings/setup_settings.h"

namespace settings {

void SaveSettingsToFile(const SetupSettings& /*setup*/, SettingsStore& /*store*/) {}

void ReadSettingsFromFile(const SetupSettings& setup, SettingsStore& /*store*/,
                          forms::Toolkit& /*toolkit*/) {
    setup.vars.curHorizDirection = 8;
    setup.vars.curVertDirection = 8;
    setup.stepping.PlacePreviewImage(0, 0);
}

}  // namespace settings
