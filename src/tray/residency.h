#pragma once

namespace tray {

// The class of the start-up window: a later copy finds the resident one by
// it, and so do the installer and the scripts (scripts/lib/program_names.sh).
inline constexpr const char* kPopUpWindowClass = "QuendaPopUp";

// One resident copy per user session: a second copy would add a second icon
// and drive the card from a mirror that is out of step with the first.
class ResidencyLock {
  public:
    virtual ~ResidencyLock() = default;
    // True when no other copy is resident.
    virtual bool acquire() = 0;
    // Asks the resident copy to open its setup window.
    virtual void openResidentCopy() = 0;
};

// Whether this copy is the resident one. When it is not, the resident copy
// has been asked to open its window and this one must end without touching
// the card.
inline bool becomeResident(ResidencyLock& lock) {
    if (lock.acquire()) {
        return true;
    }
    lock.openResidentCopy();
    return false;
}

}  // namespace tray
