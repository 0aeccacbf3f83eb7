#pragma once

#include "card/driver_channel.h"

namespace card::win32 {

// Hands each command to the card's display driver: one ExtEscape on the setup
// window's device context, taken afresh for the call and released after it.
class EscapeChannel final : public DriverChannel {
  public:
    void send(forms::NativeHandle window, DriverCommand command) override;
};

}  // namespace card::win32
