#pragma once

#include <windows.h>

#include "tray/residency.h"

namespace tray::win32 {

// A kernel handle that closes itself.
class ScopedHandle {
  public:
    explicit ScopedHandle(HANDLE handle = nullptr) : handle_(handle) {}
    ~ScopedHandle() {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
        }
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    void reset(HANDLE handle) {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
        }
        handle_ = handle;
    }

  private:
    HANDLE handle_;
};

// The resident copy holds a named mutex for as long as it runs; a later copy
// finds it and posts the tray's own left-button message to the resident
// copy's start-up window.
class SingleInstance final : public ResidencyLock {
  public:
    bool acquire() override;
    void openResidentCopy() override;

  private:
    ScopedHandle mutex_;
};

}  // namespace tray::win32
