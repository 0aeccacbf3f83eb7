#pragma once

namespace tray {

// The class of the start-up window: a later copy finds the resident one by
// it, and so do the installer and the scripts (scripts/lib/program_names.sh).
inline constexpr const char* kPopUpWindowClass = "QuendaPopUp";

// What the resident copy's start-up window said when a later start asked it
// to open the setup window.
enum class Answer {
    NoWindow,  // there was no such window, or it went while it was asked
    Opens,     // the setup window opens
    Ending,    // the copy is ending and opens nothing
    NoAnswer,  // the window is there but gave no answer of ours in time
};

// Why a later start gives up; the user is told.
enum class GivingUp { NoResponse, StillClosing };

// What the resident copy holds while it is the one copy.
class Residency {
  public:
    virtual ~Residency() = default;
    // Lets go of whatever acquire() opened: after a refusal, so that a start
    // that waits keeps no other start from the lock once the resident copy has
    // gone; and by an ending copy once its settings are saved, so that a start
    // arriving while its process ends takes its place.
    virtual void release() = 0;
};

// One resident copy per user session: a second copy would add a second icon
// and drive the card from a mirror that is out of step with the first.
class ResidencyLock : public Residency {
  public:
    // True when no other copy holds the lock; this copy then holds it.
    virtual bool acquire() = 0;
    virtual Answer askResidentCopy() = 0;
    // Waits for the copy that answered it is ending to end, for at most two
    // minutes (it may be showing the user why its settings were not saved);
    // false when it is still there.
    virtual bool waitForEnd() = 0;
    // Pauses before the lock and the window are asked again; false once a
    // resident copy has had its time (5 s, again after every end) to show a
    // window that answers.
    virtual bool waitForWindow() = 0;
    virtual void tellUser(GivingUp why) = 0;
};

// Whether this copy is the resident one. When it is not, the resident copy
// has been asked to open its window, or the user told why it could not be,
// and this one must end without touching the card. A copy that was ending
// when asked is not left to end with no copy after it: this one takes its
// place, unless another waiting start got there first, whose window it then
// opens. Only a copy that is really stuck, or takes longer than the cap to
// end, makes a start give up.
inline bool becomeResident(ResidencyLock& lock) {
    while (!lock.acquire()) {
        lock.release();
        switch (lock.askResidentCopy()) {
            case Answer::Opens:
                return false;
            case Answer::Ending:
                if (!lock.waitForEnd()) {
                    lock.tellUser(GivingUp::StillClosing);
                    return false;
                }
                break;
            case Answer::NoWindow:
                if (!lock.waitForWindow()) {
                    lock.tellUser(GivingUp::NoResponse);
                    return false;
                }
                break;
            case Answer::NoAnswer:
                lock.tellUser(GivingUp::NoResponse);
                return false;
        }
    }
    return true;
}

}  // namespace tray
