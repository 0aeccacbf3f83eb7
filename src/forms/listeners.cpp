#include "forms/listeners.h"

#include <cstddef>
#include <utility>

namespace forms {

Subscription Listeners::subscribe(std::function<void()> listener) {
    auto held = std::make_shared<const std::function<void()>>(std::move(listener));
    listeners_.push_back(held);
    return held;
}

// By index, and each listener held while it runs: one may subscribe or let
// go meanwhile.
void Listeners::notify() {
    std::erase_if(listeners_, [](const auto& listener) { return listener.expired(); });
    for (std::size_t index = 0; index < listeners_.size(); ++index) {
        if (const Subscription listener = listeners_[index].lock()) {
            (*listener)();
        }
    }
}

}  // namespace forms
