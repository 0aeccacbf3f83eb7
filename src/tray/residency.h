#pragma once

namespace tray {

// The class of the start-up window: a later copy finds the resident one by
// it, and so do the installer and the scripts (scripts/lib/program_names.sh).
inline constexpr const char* kPopUpWindowClass = "QuendaPopUp";

// What became of a later start's request to the resident copy.
enum class ResidentCopy {
    Opened,       // its setup window opens
    Ended,        // it was ending and has now gone: the lock may be free
    Unreachable,  // the user has been told it could not be reached
};

// One resident copy per user session: a second copy would add a second icon
// and drive the card from a mirror that is out of step with the first.
class ResidencyLock {
  public:
    virtual ~ResidencyLock() = default;
    // True when no other copy is resident; may be asked again.
    virtual bool acquire() = 0;
    // Asks the resident copy to open its setup window; one that is ending is
    // waited for until it has gone.
    virtual ResidentCopy openResidentCopy() = 0;
};

// Whether this copy is the resident one. When it is not, the resident copy
// has been asked to open its window, or the user told why it could not be,
// and this one must end without touching the card. A copy that was ending
// when asked is not left to end with no copy after it: this one takes its
// place.
inline bool becomeResident(ResidencyLock& lock) {
    while (!lock.acquire()) {
        if (lock.openResidentCopy() != ResidentCopy::Ended) {
            return false;
        }
    }
    return true;
}

}  // namespace tray
