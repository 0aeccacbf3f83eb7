#pragma once

#include "card/driver_command.h"
#include "forms/form.h"

namespace card {

// The one way to the card: one escape on the setup window's device context
// per command, nothing comes back. Implementations keep no state between
// commands (no cached device context, no queue).
class DriverChannel {
  public:
    virtual ~DriverChannel() = default;
    virtual void send(forms::NativeHandle window, DriverCommand command) = 0;
};

// Sends through the setup window, whose handle is read afresh for every
// command, so a window that is gone fails that command with a run-time error.
class CardDriver {
  public:
    CardDriver(const forms::Form& window, DriverChannel& channel)
        : window_(window), channel_(channel) {}

    void SendDriverCommand(DriverCommand command) { channel_.send(window_.hWnd(), command); }

  private:
    const forms::Form& window_;
    DriverChannel& channel_;
};

}  // namespace card
