#include "tray/win32/single_instance.h"

#include <array>

#include "forms/win32/debug_trace.h"
#include "tray/tray_window_procedure.h"

namespace tray::win32 {

namespace {

// Another kind of object squatting on the first name makes the mutex fail
// outright; the second name serves instead, so that two copies started at
// the same instant still cannot both run.
constexpr std::array<const char*, SingleInstance::kNames> kMutexNames{"Local\\Quenda.Resident",
                                                                      "Local\\Quenda.Resident.2"};
constexpr DWORD kPollMs = 100;
// An ending copy may be showing the user why its settings were not saved:
// it has this long to be answered and end.
constexpr DWORD kWaitForEndingMs = 120000;

Answer answerOf(DWORD_PTR reply) {
    switch (reply) {
        case kResidentOpens:
            forms::win32::trace("already resident: opening its window");
            return Answer::Opens;
        case kResidentEnding:
            return Answer::Ending;
        default:
            forms::win32::trace("already resident: its window gave another answer");
            return Answer::NoAnswer;
    }
}

// Without a handle on its process, the ending copy is watched through its
// window.
bool windowGoesInTime(HWND window) {
    const Deadline deadline(kWaitForEndingMs);
    while (IsWindow(window) != FALSE) {
        if (deadline.msLeft() == 0) {
            return false;
        }
        Sleep(kPollMs);
    }
    return true;
}

}  // namespace

// Every name that can be taken is held, in order. A copy that found the
// first name squatted runs under the second only; once the squatter has
// gone, a later start creates the first name afresh and must still find that
// copy under the second. The first name found already there settles it, and
// the later names stay with the copy that created the earlier ones, so two
// copies starting at once never both give way.
bool SingleInstance::acquire() {
    bool heldAny = false;
    for (size_t index = 0; index < kMutexNames.size(); ++index) {
        HANDLE mutex = CreateMutexA(nullptr, FALSE, kMutexNames[index]);
        const DWORD error = GetLastError();
        if (mutex == nullptr) {
            continue;
        }
        mutexes_.at(index).reset(mutex);
        if (error == ERROR_ALREADY_EXISTS) {
            return false;
        }
        heldAny = true;
    }
    if (heldAny) {
        return true;
    }
    // No lock to be had at all: the first copy's window is the one sign left.
    forms::win32::trace("single-copy lock unavailable");
    return FindWindowA(kPopUpWindowClass, nullptr) == nullptr;
}

void SingleInstance::release() {
    for (forms::win32::OwnedHandle& mutex : mutexes_) {
        mutex.reset();
    }
}

// A window that goes while it is asked belonged to a copy that has ended or
// is ending: the lock is asked again rather than the user told of a copy
// that does not respond.
Answer SingleInstance::askResidentCopy() {
    askedWindow_ = FindWindowA(kPopUpWindowClass, nullptr);
    if (askedWindow_ == nullptr) {
        return Answer::NoWindow;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(askedWindow_, &process);
    askedProcess_.reset(process == 0 ? nullptr : OpenProcess(SYNCHRONIZE, FALSE, process));
    AllowSetForegroundWindow(process);
    // A copy that has only just shown its window answers once it has restored
    // the settings to the card: it gets its whole time to answer, whenever
    // its window was found.
    DWORD_PTR reply = 0;
    if (SendMessageTimeoutA(askedWindow_, kAnotherStartMessage, 0, 0, SMTO_ABORTIFHUNG,
                            kWaitForResidentMs, &reply) != 0) {
        return answerOf(reply);
    }
    if (IsWindow(askedWindow_) == FALSE) {
        return Answer::NoWindow;
    }
    forms::win32::trace("already resident: its window does not answer");
    return Answer::NoAnswer;
}

// Whoever takes the ended copy's place has its own time to show its window.
bool SingleInstance::waitForEnd() {
    forms::win32::trace("already resident: it is ending, waiting for it to end");
    const bool ended =
        askedProcess_ ? WaitForSingleObject(askedProcess_.get(), kWaitForEndingMs) == WAIT_OBJECT_0
                      : windowGoesInTime(askedWindow_);
    askedProcess_.reset();
    windowDeadline_ = Deadline(kWaitForResidentMs);
    return ended;
}

bool SingleInstance::waitForWindow() {
    if (windowDeadline_.msLeft() == 0) {
        return false;
    }
    Sleep(kPollMs);
    return true;
}

// A copy that holds the lock but never shows a window that answers leaves
// the user with nothing on screen; they are told rather than left waiting.
void SingleInstance::tellUser(GivingUp why) {
    const bool stuck = why == GivingUp::NoResponse;
    forms::win32::trace(stuck ? "already resident: no window of it answered"
                              : "already resident: it did not end");
    MessageBoxA(nullptr,
                stuck ? "Quenda is already running but does not respond."
                      : "Quenda is still closing. Start it again once it has closed.",
                "Quenda", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace tray::win32
