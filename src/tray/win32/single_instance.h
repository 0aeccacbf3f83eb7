#pragma once

#include <windows.h>

#include <array>

#include "forms/win32/handles.h"
#include "tray/residency.h"

namespace tray::win32 {

// The tick count wraps every 49.7 days; the time gone since the start, an
// unsigned difference, is right across the wrap.
class Deadline {
  public:
    explicit Deadline(DWORD lengthMs) : start_(GetTickCount()), lengthMs_(lengthMs) {}

    UINT msLeft() const {
        const DWORD gone = GetTickCount() - start_;
        return gone < lengthMs_ ? lengthMs_ - gone : 0;
    }

  private:
    DWORD start_;
    DWORD lengthMs_;
};

// The resident copy holds named mutexes until its settings are saved at the
// end; a later copy finds one and asks the resident copy's start-up window to
// open the setup window, waits for a copy that answers it is ending, or tells
// the user when no copy answers.
class SingleInstance final : public ResidencyLock {
  public:
    bool acquire() override;
    void release() override;
    Answer askResidentCopy() override;
    bool waitForEnd() override;
    bool waitForWindow() override;
    void tellUser(GivingUp why) override;

    static constexpr size_t kNames = 2;
    // The resident copy may still be starting: it has this long to show its
    // window and answer.
    static constexpr DWORD kWaitForResidentMs = 5000;

  private:
    std::array<forms::win32::OwnedHandle, kNames> mutexes_;
    Deadline windowDeadline_{kWaitForResidentMs};
    // The process and window of the copy last asked, taken before it was
    // asked: a copy that answers it is ending may be gone the moment after.
    forms::win32::OwnedHandle askedProcess_;
    HWND askedWindow_ = nullptr;
};

}  // namespace tray::win32
