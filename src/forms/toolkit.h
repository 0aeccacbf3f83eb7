#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

#include "forms/listeners.h"
#include "forms/runtime_error.h"

namespace forms {

class Control;
class Form;

// A window handle as the platform gives it; 0 when there is none.
using NativeHandle = std::uintptr_t;

// The on-screen mirror of one loaded form. The model decides every value;
// the view only follows and reports the user's clicks back to the model.
class FormView {
  public:
    virtual ~FormView() = default;
    // Caption, position, width or visibility of the form changed.
    virtual void formChanged() = 0;
    // Value, enabled state, caption or geometry of one control changed.
    virtual void controlChanged(const Control& control) = 0;
    virtual NativeHandle handle() const = 0;
    // A show of the visible form: to the front, with the keyboard in it.
    virtual void activate() {}
};

// Where a run-time error that no handler caught is reported. It never ends
// the program.
class ErrorHandler {
  public:
    virtual ~ErrorHandler() = default;
    virtual void report(const RuntimeError& error) = 0;
};

// Tells `errors` of the exception being handled, whatever it is, and the
// program goes on. Call it only inside a catch block.
void reportCaught(ErrorHandler& errors) noexcept;

// The one way in from the system: every window, subclass and hook procedure,
// callback and COM method of ours answers through it, which nothing may
// leave. What `answer` gives, or, when it throws, `fallback`'s answer once
// `errors` has told of it. A throw anywhere below stops here, in any file.
template <typename Errors, typename Answer, typename Fallback>
auto atEdge(Errors&& errors, Answer&& answer, Fallback&& fallback) noexcept -> decltype(answer()) {
    try {
        return answer();
    } catch (...) {
        reportCaught(errors);
    }
    return fallback();
}

// What the toolkit needs from the system it runs on.
class Platform {
  public:
    virtual ~Platform() = default;
    // A view for a form that is being loaded; nullptr runs the form without one.
    virtual std::unique_ptr<FormView> createView(Form& form) = 0;
    // Runs every pending window message once and returns.
    virtual void dispatchPendingMessages() = 0;
    // Ends the process at once; no further event runs.
    virtual void endProcess() = 0;
};

class Toolkit {
  public:
    Toolkit(ErrorHandler& errors, Platform& platform) : errors_(errors), platform_(platform) {}

    // The event boundary: a run-time error the handler lets out is reported,
    // then control returns to whoever raised the event.
    void runEvent(const std::function<void()>& handler);
    ErrorHandler& errors() const { return errors_; }
    // Runs after every outermost event, once all its nested events are done:
    // the moment to bring anything that mirrors the forms up to date.
    [[nodiscard]] Subscription subscribeEventsSettled(std::function<void()> listener) {
        return settled_.subscribe(std::move(listener));
    }

    void DoEvents() { platform_.dispatchPendingMessages(); }
    void End() { platform_.endProcess(); }
    std::unique_ptr<FormView> createView(Form& form) { return platform_.createView(form); }

  private:
    ErrorHandler& errors_;
    Platform& platform_;
    Listeners settled_;
    int depth_ = 0;
};

}  // namespace forms
