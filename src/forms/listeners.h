#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace forms {

// A listener's hold on an event: it hears the event for as long as it keeps
// this, and no longer.
using Subscription = std::shared_ptr<const std::function<void()>>;

// Everyone who listens to one event. A second listener joins the first
// rather than replace it; a subscription that is not kept does not compile.
class Listeners {
  public:
    [[nodiscard]] Subscription subscribe(std::function<void()> listener) {
        auto held = std::make_shared<const std::function<void()>>(std::move(listener));
        listeners_.push_back(held);
        return held;
    }

    // Every listener still held, in the order they subscribed. By index, and
    // each held while it runs: one may subscribe or let go meanwhile.
    void notify() {
        std::erase_if(listeners_, [](const auto& listener) { return listener.expired(); });
        for (std::size_t index = 0; index < listeners_.size(); ++index) {
            if (const Subscription listener = listeners_[index].lock()) {
                (*listener)();
            }
        }
    }

  private:
    std::vector<std::weak_ptr<const std::function<void()>>> listeners_;
};

}  // namespace forms
