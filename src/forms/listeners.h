#pragma once

#include <functional>
#include <memory>
#include <vector>

namespace forms {

// A listener's hold on an event: it hears the event for as long as it keeps
// this, and no longer.
using Subscription = std::shared_ptr<const std::function<void()>>;

// Everyone who listens to one event. A second listener joins the first
// rather than replace it; a subscription that is not kept does not compile.
class Listeners {
  public:
    [[nodiscard]] Subscription subscribe(std::function<void()> listener);
    // Runs every listener still held, in the order they subscribed.
    void notify();

  private:
    std::vector<std::weak_ptr<const std::function<void()>>> listeners_;
};

}  // namespace forms
