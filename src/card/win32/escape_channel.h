#pragma once

#include "card/driver_channel.h"
#include "card/driver_probe.h"

namespace card::win32 {

// Hands each command to the card's display driver: one ExtEscape on the setup
// window's device context, taken afresh for the call and released after it.
// It also asks the driver, with the query every driver must answer, whether
// it takes that escape.
class EscapeChannel final : public DriverChannel, public DriverProbe {
  public:
    void send(forms::NativeHandle window, DriverCommand command) override;
    bool takesCommands(forms::NativeHandle window) override;
};

}  // namespace card::win32
