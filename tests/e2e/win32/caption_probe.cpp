// The caption probe: a DLL that automate hooks into the program's window
// thread, so that captions are measured with the program's own fonts.
#include <windows.h>

#include <cstdio>
#include <string>

#include "caption_fit.h"

namespace {

BOOL CALLBACK measureChild(HWND child, LPARAM file) {
    if (GetWindowTextLengthA(child) > 0) {
        const std::string line = automate::describeCaptionFit(child) + "\n";
        std::fputs(line.c_str(), reinterpret_cast<std::FILE*>(file));  // NOLINT
    }
    return TRUE;
}

void measureCaptions(HWND window) {
    const std::string path = automate::captionFitFile();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return;
    }
    EnumChildWindows(window, measureChild, reinterpret_cast<LPARAM>(file));
    std::fclose(file);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    captionProbe(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT measure = RegisterWindowMessageA(automate::kMeasureCaptionsMessage);
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);  // NOLINT
    if (code == HC_ACTION && call->message == measure) {
        measureCaptions(call->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
