#include "tray/win32/single_instance.h"

#include <array>
#include <optional>

#include "forms/win32/debug_trace.h"
#include "tray/tray_window_procedure.h"

namespace tray::win32 {

namespace {

// Another kind of object squatting on the first name makes the mutex fail
// outright; the second name serves instead, so that two copies started at
// the same instant still cannot both run.
constexpr std::array<const char*, SingleInstance::kNames> kMutexNames{"Local\\Quenda.Resident",
                                                                      "Local\\Quenda.Resident.2"};
// The resident copy may still be starting: it has this long to show its
// window and answer.
constexpr DWORD kWaitForResidentMs = 5000;
constexpr DWORD kPollMs = 100;
// An ending copy may be showing the user why its settings were not saved:
// it has this long to be answered and end.
constexpr DWORD kWaitForEndingMs = 120000;

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

HWND findResidentWindow(const Deadline& deadline) {
    for (;;) {
        if (HWND window = FindWindowA(kPopUpWindowClass, nullptr)) {
            return window;
        }
        if (deadline.msLeft() == 0) {
            return nullptr;
        }
        Sleep(kPollMs);
    }
}

// The resident copy's answer to a later start (kResidentOpens or
// kResidentEnding); nothing when it gave none in time.
std::optional<DWORD_PTR> askToOpen(HWND window, const Deadline& deadline) {
    DWORD residentProcess = 0;
    GetWindowThreadProcessId(window, &residentProcess);
    AllowSetForegroundWindow(residentProcess);
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutA(window, kAnotherStartMessage, 0, 0, SMTO_ABORTIFHUNG, deadline.msLeft(),
                            &answer) == 0) {
        return std::nullopt;
    }
    return answer;
}

bool endsInTime(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const forms::win32::OwnedHandle ending(OpenProcess(SYNCHRONIZE, FALSE, process));
    return ending.get() != nullptr &&
           WaitForSingleObject(ending.get(), kWaitForEndingMs) == WAIT_OBJECT_0;
}

ResidentCopy tellUser(const char* trace, const char* text) {
    forms::win32::trace(trace);
    MessageBoxA(nullptr, text, "Quenda", MB_OK | MB_ICONEXCLAMATION);
    return ResidentCopy::Unreachable;
}

}  // namespace

// Every name that can be taken is held, in order. A copy that found the
// first name squatted runs under the second only; once the squatter has
// gone, a later start creates the first name afresh and must still find that
// copy under the second. The first name found already there settles it, and
// the later names stay with the copy that created the earlier ones, so two
// copies starting at once never both give way.
bool SingleInstance::acquire() {
    // Asked again once an ending copy has gone: names held from the last
    // try would keep its mutexes in being.
    for (forms::win32::OwnedHandle& mutex : mutexes_) {
        mutex.reset();
    }
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

// A copy that holds the lock but never shows a window that answers leaves
// the user with nothing on screen; they are told rather than left waiting.
// A copy that answers it is ending would open nothing, and once it had
// ended no copy would run at all: this start waits for it to go.
ResidentCopy SingleInstance::openResidentCopy() {
    const Deadline deadline(kWaitForResidentMs);
    HWND resident = findResidentWindow(deadline);
    const std::optional<DWORD_PTR> answer =
        resident == nullptr ? std::nullopt : askToOpen(resident, deadline);
    if (!answer) {
        return tellUser(resident == nullptr ? "already resident: its window was not found"
                                            : "already resident: its window does not answer",
                        "Quenda is already running but does not respond.");
    }
    if (*answer == kResidentOpens) {
        forms::win32::trace("already resident: opening its window");
        return ResidentCopy::Opened;
    }
    forms::win32::trace("already resident: it is ending, waiting for it to end");
    if (!endsInTime(resident)) {
        return tellUser("already resident: it did not end",
                        "Quenda is still closing. Start it again once it has closed.");
    }
    return ResidentCopy::Ended;
}

}  // namespace tray::win32
