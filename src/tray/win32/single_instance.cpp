#include "tray/win32/single_instance.h"

#include "forms/win32/debug_trace.h"
#include "tray/tray_record.h"
#include "tray/tray_window_procedure.h"

namespace tray::win32 {

namespace {

constexpr const char* kMutexName = "Local\\Quenda.Resident";
// The resident copy may still be starting: look for its window this long.
constexpr int kWaitForWindowMs = 5000;
constexpr int kPollMs = 100;

HWND findResidentWindow() {
    for (int waited = 0; waited < kWaitForWindowMs; waited += kPollMs) {
        if (HWND window = FindWindowA("QuendaPopUp", nullptr)) {
            return window;
        }
        Sleep(kPollMs);
    }
    return nullptr;
}

}  // namespace

bool SingleInstance::acquire() {
    mutex_.reset(CreateMutexA(nullptr, FALSE, kMutexName));
    return GetLastError() != ERROR_ALREADY_EXISTS;
}

void SingleInstance::openResidentCopy() {
    HWND resident = findResidentWindow();
    forms::win32::trace(resident != nullptr ? "already resident: opening its window"
                                            : "already resident: its window was not found");
    if (resident == nullptr) {
        return;
    }
    DWORD residentProcess = 0;
    GetWindowThreadProcessId(resident, &residentProcess);
    AllowSetForegroundWindow(residentProcess);
    PostMessageA(resident, TRAY_CALLBACK_MSG, TRAY_ICON_ID, kLeftButtonDown);
}

}  // namespace tray::win32
