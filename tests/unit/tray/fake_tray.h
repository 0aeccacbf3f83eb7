#pragma once

#include <functional>
#include <string>
#include <utility>

#include "card/driver_probe.h"
#include "support/fakes.h"
#include "tray/residency.h"
#include "tray/tray_services.h"

namespace testing_support {

// The hook (with the single-copy lock) and the shell, writing what they are
// asked into one event log.
class FakeHook : public tray::TrayHook, public tray::Residency {
  public:
    explicit FakeHook(EventLog& log) : log_(log) {}
    void setHookTarget(forms::NativeHandle /*window*/, const tray::ShellMessages& messages,
                       tray::ShellEvents& /*events*/) override {
        log_.push_back("hook target " + std::to_string(messages.trayCallback));
    }
    void HookTray() override { log_.push_back("HookTray"); }
    void UnhookTray() override { log_.push_back("UnhookTray"); }
    void release() override { log_.push_back("release"); }

  private:
    EventLog& log_;
};

// Whether the card's driver says it takes the command escape.
class FakeProbe : public card::DriverProbe {
  public:
    bool takesCommands(forms::NativeHandle /*window*/) override { return driverThere; }
    bool driverThere = true;
};

class FakeShell : public tray::TrayShell {
  public:
    explicit FakeShell(EventLog& log) : log_(log) {}
    bool notify(tray::NotifyMessage message, const tray::TrayRecord& record) override {
        static const char* const names[] = {"add", "modify", "delete"};
        std::string line = names[static_cast<int>(message)];
        if (message != tray::NotifyMessage::Delete) {
            line += " \"" + record.tipText() + "\"";
        }
        log_.push_back(line);
        last = record;
        if (message == tray::NotifyMessage::Delete && onDelete) {
            onDelete();
        }
        switch (message) {
            case tray::NotifyMessage::Add:
                if (failingAdds > 0) {
                    --failingAdds;
                    return false;
                }
                return !std::exchange(iconThere, true);  // a duplicate is refused
            case tray::NotifyMessage::Modify:
                return iconThere;
            case tray::NotifyMessage::Delete:
                return std::exchange(iconThere, false);
        }
        return false;
    }
    unsigned taskbarCreatedMessage() const override { return kTaskbarCreated; }
    forms::NativeHandle trayIcon() const override { return 77; }
    bool scheduleRetry(forms::NativeHandle /*window*/) override {
        log_.push_back(timers ? "retry later" : "no retry timer");
        return timers;
    }
    void cancelRetry(forms::NativeHandle /*window*/) override {}
    bool showBalloon(const tray::TrayRecord& /*icon*/, const std::string& title,
                     const std::string& /*text*/) override {
        log_.push_back("balloon \"" + title + "\"");
        return iconThere;
    }

    static constexpr unsigned kTaskbarCreated = 0xC123;
    int failingAdds = 0;
    bool timers = true;  // false: the system sets no timer
    bool iconThere = false;
    std::function<void()> onDelete;
    tray::TrayRecord last;

  private:
    EventLog& log_;
};

}  // namespace testing_support
