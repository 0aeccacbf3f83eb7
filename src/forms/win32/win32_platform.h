#pragma once

#include <windows.h>

#include "forms/toolkit.h"
#include "forms/win32/accessibility.h"

namespace forms::win32 {

// The toolkit on Windows: real windows for the forms, the thread's message
// queue, and the process itself.
class Win32Platform final : public Platform {
  public:
    explicit Win32Platform(HINSTANCE instance);

    std::unique_ptr<FormView> createView(Form& form) override;
    void dispatchPendingMessages() override;
    [[noreturn]] void endProcess() override;

  private:
    HINSTANCE instance_;
    Accessibility accessibility_;
};

// Reports an error nothing caught: a debug line for support, then a message
// box for the user. The program goes on.
class MessageBoxErrors final : public ErrorHandler {
  public:
    void report(const RuntimeError& error) override;
};

}  // namespace forms::win32
