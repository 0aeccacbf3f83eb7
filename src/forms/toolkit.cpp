#include "forms/toolkit.h"

namespace forms {

void Toolkit::runEvent(const std::function<void()>& handler) {
    ++depth_;
    try {
        handler();
    } catch (const RuntimeError& error) {
        errors_.report(error);
    } catch (...) {
        --depth_;
        throw;
    }
    --depth_;
    if (depth_ == 0) {
        settled_.notify();
    }
}

void reportCaught(ErrorHandler& errors) noexcept {
    try {
        errors.report(asRuntimeError(std::current_exception()));
    } catch (...) {
        // Reporting itself failed (no memory left for the text): the program
        // still goes on rather than end without a word.
    }
}

}  // namespace forms
