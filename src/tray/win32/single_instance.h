#pragma once

#include <windows.h>

#include <array>

#include "forms/win32/handles.h"
#include "tray/residency.h"

namespace tray::win32 {

// The resident copy holds named mutexes for as long as it runs; a later copy
// finds one and asks the resident copy's start-up window to open the setup
// window, or tells the user when that copy does not answer. A resident copy
// that answers it is ending is waited for, so that the later copy can take
// its place.
class SingleInstance final : public ResidencyLock {
  public:
    bool acquire() override;
    ResidentCopy openResidentCopy() override;

    static constexpr size_t kNames = 2;

  private:
    std::array<forms::win32::OwnedHandle, kNames> mutexes_;
};

}  // namespace tray::win32
