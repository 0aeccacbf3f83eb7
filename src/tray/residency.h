#pragma once

namespace tray {

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
