#pragma once

#include "forms/toolkit.h"

namespace card {

// Asks the display driver, through the setup window, whether it takes the
// card's command escape at all. The answer only warns the user: commands go
// out either way, so a driver that answers wrongly loses nothing.
class DriverProbe {
  public:
    virtual ~DriverProbe() = default;
    virtual bool takesCommands(forms::NativeHandle window) = 0;
};

}  // namespace card
