#include "tray/win32/single_instance.h"

#include <array>

#include "forms/win32/debug_trace.h"
#include "tray/tray_record.h"
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

bool answers(HWND window, const Deadline& deadline) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, deadline.msLeft(),
                               &result) != 0;
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

// A copy that holds the lock but never shows a window that answers leaves
// the user with nothing on screen; they are told rather than left waiting.
void SingleInstance::openResidentCopy() {
    const Deadline deadline(kWaitForResidentMs);
    HWND resident = findResidentWindow(deadline);
    if (resident == nullptr || !answers(resident, deadline)) {
        forms::win32::trace(resident == nullptr ? "already resident: its window was not found"
                                                : "already resident: its window does not answer");
        MessageBoxA(nullptr, "Quenda is already running but does not respond.", "Quenda",
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    forms::win32::trace("already resident: opening its window");
    DWORD residentProcess = 0;
    GetWindowThreadProcessId(resident, &residentProcess);
    AllowSetForegroundWindow(residentProcess);
    PostMessageA(resident, TRAY_CALLBACK_MSG, TRAY_ICON_ID, kLeftButtonDown);
}

}  // namespace tray::win32
