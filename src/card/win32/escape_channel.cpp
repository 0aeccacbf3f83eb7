#include "card/win32/escape_channel.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "forms/runtime_error.h"
#include "forms/win32/debug_trace.h"
#include "forms/win32/handles.h"

namespace card::win32 {

void EscapeChannel::send(forms::NativeHandle window, DriverCommand command) {
    const auto dc = forms::win32::windowDC(forms::win32::fromInteger<HWND>(window));
    if (dc.get() == nullptr) {
        throw forms::RuntimeError(forms::ErrorNumber::PropertyAccessFailed,
                                  "The setup window has no device context");
    }
    // The driver reads two bytes from a zeroed 4-byte variable and may write to
    // a zeroed 4-byte output that nothing reads; its answer is not used.
    const auto bytes = commandVariable(command);
    std::int32_t commandVar = 0;
    std::memcpy(&commandVar, bytes.data(), sizeof commandVar);
    std::int32_t outputVar = 0;
    forms::win32::trace("escape " + std::to_string(DRV_ESCAPE) + " code " +
                        std::to_string(codeOf(command)));
    ExtEscape(dc.get(), DRV_ESCAPE, 2, reinterpret_cast<LPCSTR>(&commandVar), 0,
              reinterpret_cast<LPSTR>(&outputVar));
}

bool EscapeChannel::takesCommands(forms::NativeHandle window) {
    const auto dc = forms::win32::windowDC(forms::win32::fromInteger<HWND>(window));
    const int escape = DRV_ESCAPE;
    const bool takes =
        dc.get() != nullptr && ExtEscape(dc.get(), QUERYESCSUPPORT, sizeof escape,
                                         reinterpret_cast<LPCSTR>(&escape), 0, nullptr) > 0;
    if (!takes) {
        forms::win32::trace("driver does not take escape " + std::to_string(DRV_ESCAPE));
    }
    return takes;
}

}  // namespace card::win32
