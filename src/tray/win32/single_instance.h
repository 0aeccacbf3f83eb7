#pragma once

#include <windows.h>

#include "forms/win32/handles.h"
#include "tray/residency.h"

namespace tray::win32 {

// The resident copy holds a named mutex for as long as it runs; a later copy
// finds it and posts the tray's own left-button message to the resident
// copy's start-up window, or tells the user when that copy does not answer.
class SingleInstance final : public ResidencyLock {
  public:
    bool acquire() override;
    void openResidentCopy() override;

  private:
    forms::win32::OwnedHandle mutex_;
};

}  // namespace tray::win32
