#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "card/driver_channel.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/toolkit.h"

namespace testing_support {

// One timeline of what the program did, where the order across kinds of
// effect matters ("optCompOut enabled" before "send 127").
using EventLog = std::vector<std::string>;

// Stands in for the card's driver: keeps every code in the order sent.
class RecordingChannel : public card::DriverChannel {
  public:
    void send(forms::NativeHandle /*window*/, card::DriverCommand command) override {
        codes.push_back(card::codeOf(command));
        if (log != nullptr) {
            log->push_back("send " + std::to_string(card::codeOf(command)));
        }
    }
    std::vector<int> codes;
    EventLog* log = nullptr;
};

// A view that writes every change of a control's enabled state to a log.
class EnabledStateLog : public forms::FormView {
  public:
    explicit EnabledStateLog(EventLog& log) : log_(log) {}
    void formChanged() override {}
    void controlChanged(const forms::Control& control) override {
        auto [it, isNew] = enabled_.try_emplace(control.name(), control.enabled());
        if (!isNew && it->second != control.enabled()) {
            it->second = control.enabled();
            log_.push_back(control.name() + (control.enabled() ? " enabled" : " disabled"));
        }
    }
    forms::NativeHandle handle() const override { return 0; }

  private:
    EventLog& log_;
    std::map<std::string, bool> enabled_;
};

// Stands in for the message box of the default error handler.
class RecordingErrors : public forms::ErrorHandler {
  public:
    struct Report {
        forms::ErrorNumber number;
        std::string message;
    };
    void report(const forms::RuntimeError& error) override {
        reports.push_back({error.number(), error.what()});
    }
    std::vector<Report> reports;
};

// A system with no windows: pending messages are whatever the test queues.
class FakePlatform : public forms::Platform {
  public:
    std::unique_ptr<forms::FormView> createView(forms::Form& form) override {
        if (onCreateView) {
            onCreateView();
        }
        if (log == nullptr) {
            return nullptr;
        }
        auto view = std::make_unique<EnabledStateLog>(*log);
        for (const forms::Control* control : form.controls()) {
            view->controlChanged(*control);
        }
        return view;
    }
    void dispatchPendingMessages() override {
        ++dispatches;
        if (onDispatch) {
            onDispatch();
        }
    }
    void endProcess() override { ended = true; }

    int dispatches = 0;
    bool ended = false;
    EventLog* log = nullptr;
    std::function<void()> onDispatch;
    std::function<void()> onCreateView;
};

// A toolkit wired to the recorders above.
struct ToolkitFixture {
    RecordingErrors errors;
    FakePlatform platform;
    forms::Toolkit toolkit{errors, platform};
};

}  // namespace testing_support
