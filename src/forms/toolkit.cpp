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
    if (depth_ == 0 && settled_) {
        settled_();
    }
}

}  // namespace forms
