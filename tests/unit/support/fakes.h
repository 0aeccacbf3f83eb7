#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "card/driver_channel.h"
#include "forms/toolkit.h"

namespace testing_support {

// Stands in for the card's driver: keeps every code in the order sent.
class RecordingChannel : public card::DriverChannel {
public:
    void send(forms::NativeHandle /*window*/, card::DriverCommand command) override {
        codes.push_back(card::codeOf(command));
    }
    std::vector<int> codes;
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
    std::unique_ptr<forms::FormView> createView(forms::Form& /*form*/) override { return nullptr; }
    void dispatchPendingMessages() override {
        ++dispatches;
        if (onDispatch) {
            onDispatch();
        }
    }
    void endProcess() override { ended = true; }

    int dispatches = 0;
    bool ended = false;
    std::function<void()> onDispatch;
};

// A toolkit wired to the recorders above.
struct ToolkitFixture {
    RecordingErrors errors;
    FakePlatform platform;
    forms::Toolkit toolkit{errors, platform};
};

}  // namespace testing_support
