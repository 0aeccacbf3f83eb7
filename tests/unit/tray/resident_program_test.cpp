#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "settings/setting_table.h"
#include "support/setup_fixture.h"
#include "tray/fake_tray.h"
#include "tray/frm_pop_up.h"
#include "tray/residency.h"
#include "tray/tray_window_procedure.h"

namespace {

using testing_support::EventLog;

const std::string kVgaMedium = "Lumivance is currently set up for VGA Only - Medium Filter";

struct Resident : ::testing::Test, testing_support::SetupFixture {
    EventLog log;
    testing_support::FakeHook hook{log};
    testing_support::FakeShell shell{log};
    testing_support::FakeProbe probe;
    std::unique_ptr<tray::frmPopUp> popUp;

    void start() {
        driver.log = &log;
        platform.onDispatch = [this] { log.push_back("dispatch"); };
        popUp = std::make_unique<tray::frmPopUp>(toolkit, window, hook, shell, probe, hook);
        popUp->Load();
    }
    void exit() { window.buttons().cmdExit.userClick(); }
    // A message to the start-up window, as the hooked window procedure hands it on.
    void shellSends(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
        tray::deliverShellMessage(
            {tray::TRAY_CALLBACK_MSG, testing_support::FakeShell::kTaskbarCreated}, *popUp, message,
            wParam, lParam);
    }
};

TEST_F(Resident, FirstStartHooksLoadsAddsTheIconAndHidesWithoutACommand) {
    start();
    EXPECT_EQ(log, (EventLog{"hook target 1025", "HookTray", "add \"" + kVgaMedium + "\""}));
    EXPECT_TRUE(driver.codes.empty());
    EXPECT_TRUE(window.isLoaded());
    EXPECT_FALSE(window.Visible());
    EXPECT_FALSE(popUp->Visible());
    EXPECT_EQ(shell.last.uID, 100U);
    EXPECT_EQ(shell.last.uFlags, 7U);
    EXPECT_EQ(shell.last.uCallbackMessage, 1025U);
    EXPECT_EQ(shell.last.hIcon, 77U);
}

TEST_F(Resident, AStoredTvOnSetupReachesTheCardBeforeTheIconIsAdded) {
    store.values[{"ActiveOut", "VGAOnly"}] = "0";
    start();
    EXPECT_EQ(log,
              (EventLog{"hook target 1025", "HookTray", "send 127", "send 18", "send 17",
                        "add \"Lumivance is currently set up for Comp Out - Medium Filter\""}));
}

TEST_F(Resident, ExitRemovesTheIconBeforeSavingThenUnloadsUnhooksAndEnds) {
    start();
    window.Show();
    window.card().optFilterNone.userClick();  // not confirmed with OK
    log.clear();
    std::vector<std::size_t> writesAtDelete;
    shell.onDelete = [&] { writesAtDelete.push_back(store.writes.size()); };
    exit();
    EXPECT_EQ(writesAtDelete, (std::vector<std::size_t>{0, settings::kSavedSettings}));
    EXPECT_EQ(log, (EventLog{"delete", "release", "delete", "dispatch", "UnhookTray"}));
    EXPECT_EQ((store.values[{"Filter", "None"}]), "True");
    EXPECT_FALSE(window.isLoaded());
    EXPECT_FALSE(popUp->isLoaded());
    EXPECT_TRUE(platform.ended);
}

// A close of the start-up window and the end of the session take the Exit
// path, which saves what the setup window shows; input queued behind any of
// them, or arriving while an error box of the ending is up, acts no more.
TEST_F(Resident, EveryWayToEndRunsExitOnceAndQueuedInputDoesNothing) {
    const std::pair<const char*, std::function<void(tray::frmPopUp&)>> ends[] = {
        {"Exit button", [this](tray::frmPopUp&) { exit(); }},
        {"close box", [](tray::frmPopUp& p) { p.closeBox(); }},
        {"close request to every window (taskkill)",
         [this](tray::frmPopUp& p) {
             window.closeRequested();
             p.closeRequested();
         }},
        {"end of session", [this](tray::frmPopUp&) { shellSends(tray::kEndSessionMessage, 1, 0); }},
    };
    for (const auto& [name, end] : ends) {
        SCOPED_TRACE(name);
        store.values.clear();
        store.values[{"ActiveOut", "VGAOnly"}] = "0";  // a reload would send 127 18 17
        shell.iconThere = false;
        start();
        shellSends(tray::kEndSessionMessage, 0, 0);  // the session goes on
        window.Show();
        window.card().optFilterNone.userClick();  // not confirmed with OK
        log.clear();
        platform.onDispatch = [this] {
            log.push_back("dispatch");
            EXPECT_TRUE(popUp->ending()) << "what a later start is told";
            popUp->openSetupWindow();
            shellSends(testing_support::FakeShell::kTaskbarCreated, 0, 0);
            popUp->closeBox();
        };
        end(*popUp);
        EXPECT_EQ(log, (EventLog{"delete", "release", "delete", "dispatch", "UnhookTray"}));
        EXPECT_FALSE(window.isLoaded());
        EXPECT_TRUE(platform.ended);
        EXPECT_EQ(store.values.size(), settings::kSavedSettings);
        EXPECT_EQ((store.values[{"Filter", "None"}]), "True");
        platform.ended = false;
    }
}

TEST_F(Resident, ADriverThatRefusesTheEscapeIsToldOnceOnceTheIconIsThere) {
    probe.driverThere = false;
    shell.failingAdds = 1;
    start();
    shellSends(tray::kRetryMessage, tray::kRetryTimerId, 0);
    shellSends(testing_support::FakeShell::kTaskbarCreated, 0, 0);
    const std::string add = "add \"" + kVgaMedium + "\"";
    const std::string modify = "modify \"" + kVgaMedium + "\"";
    EXPECT_EQ(log, (EventLog{"hook target 1025", "HookTray", add, modify, "retry later", add,
                             "balloon \"The card's driver was not found\"", add, modify}));
}

TEST_F(Resident, AFailingSaveAtExitIsReportedAndTheProgramStillEnds) {
    start();
    store.failingKey = {"Filter", "None"};
    exit();
    ASSERT_EQ(errors.reports.size(), 1U);
    EXPECT_TRUE(platform.ended);
    EXPECT_EQ(log.back(), "UnhookTray");
}

TEST_F(Resident, TheTooltipFollowsTheOutputAndFilterOnceEachChangeHasSettled) {
    start();
    log.clear();
    window.card().chkVGAOnly.userClick();  // TV on: composite, maximum filter
    window.card().optPAL.userClick();      // names neither output nor filter
    window.card().optFilterNone.userClick();
    EXPECT_EQ(log,
              (EventLog{"send 127", "send 18",
                        "modify \"Lumivance is currently set up for Comp Out - Maximum Filter\"",
                        "send 16",
                        "modify \"Lumivance is currently set up for Comp Out - No Filtering\""}));
}

TEST_F(Resident, AFailedAddIsRetriedABoundedNumberOfTimes) {
    shell.failingAdds = 2;
    start();
    for (int retry = 0; retry < 5; ++retry) {
        shellSends(tray::kRetryMessage, tray::kRetryTimerId, 0);
    }
    EXPECT_EQ(log, (EventLog{"hook target 1025", "HookTray", "add \"" + kVgaMedium + "\"",
                             "modify \"" + kVgaMedium + "\"", "retry later",
                             "add \"" + kVgaMedium + "\"", "modify \"" + kVgaMedium + "\"",
                             "retry later", "add \"" + kVgaMedium + "\""}));

    log.clear();
    shell.failingAdds = 1000;
    shell.iconThere = false;  // the task bar came back without it
    shellSends(testing_support::FakeShell::kTaskbarCreated, 0, 0);
    for (int retry = 0; retry < 2 * tray::frmPopUp::kAddAttempts; ++retry) {
        shellSends(tray::kRetryMessage, tray::kRetryTimerId, 0);
    }
    EXPECT_EQ(std::count(log.begin(), log.end(), "add \"" + kVgaMedium + "\""),
              tray::frmPopUp::kAddAttempts);
}

// A retry whose timer the system would not set is not lost: the next event
// asks for the timer again.
TEST_F(Resident, ARetryTimerThatCouldNotBeSetIsAskedForAgainAfterTheNextEvent) {
    shell.failingAdds = 1;
    shell.timers = false;
    start();
    shell.timers = true;
    window.card().optFilterNone.userClick();
    shellSends(tray::kRetryMessage, tray::kRetryTimerId, 0);
    EXPECT_EQ(log, (EventLog{"hook target 1025", "HookTray", "add \"" + kVgaMedium + "\"",
                             "modify \"" + kVgaMedium + "\"", "no retry timer",
                             "no retry timer",  // once the start-up event has settled
                             "send 16", "retry later",
                             "add \"Lumivance is currently set up for VGA Only - No Filtering\""}));
}

// The task bar announces itself after a restart that lost the icon, and
// sometimes without having lost it; either way later changes still go out.
TEST_F(Resident, TheTaskBarStartingAgainBringsTheIconBack) {
    for (const bool lost : {true, false}) {
        shell.iconThere = false;
        start();
        shell.iconThere = !lost;
        log.clear();
        shellSends(testing_support::FakeShell::kTaskbarCreated, 0, 0);
        shellSends(0x0400, 0, 0);  // anything else is ignored
        window.card().optFilterNone.userClick();
        EventLog expected{"add \"" + kVgaMedium + "\""};
        if (!lost) {
            expected.push_back("modify \"" + kVgaMedium + "\"");
        }
        expected.push_back("send 16");
        expected.push_back("modify \"Lumivance is currently set up for VGA Only - No Filtering\"");
        EXPECT_EQ(log, expected) << (lost ? "lost" : "kept");
        window.card().optFilterMedium.userClick();
    }
}

TEST_F(Resident, OpeningShowsTheOneSetupWindowAsItWasLeft) {
    start();
    popUp->openSetupWindow();
    window.buttons().cmdAdvanced.userClick();
    window.buttons().cmdOK.userClick();
    popUp->Label1_Click();
    popUp->openSetupWindow();
    EXPECT_TRUE(window.Visible());
    EXPECT_EQ(window.Width(), 3765);
    EXPECT_EQ(window.buttons().cmdAdvanced.caption(), "<<Advanced");
}

struct HeardEvents : tray::ShellEvents {
    std::string heard;
    void openSetupWindow() override { heard += "open"; }
    void taskbarCreated() override { heard += "taskbar"; }
    void retryTimer() override { heard += "retry"; }
    void sessionEnding() override { heard += "end"; }
    bool ending() const override { return false; }
};

TEST(TrayWindowProcedure, EachShellMessageIsOneNamedCallAndNothingElseActs) {
    struct Case {
        unsigned uMsg;
        std::uintptr_t wParam;
        std::intptr_t lParam;
        const char* heard;
    };
    // 0x400 and 0x401: a selection by mouse and by keyboard; 0x7B: the right
    // button's context menu; 0xC123 the registered "TaskbarCreated"; 0x402 a
    // later start.
    const Case cases[] = {
        {1025, 100, 513, "open"}, {1025, 100, 514, ""},       {1025, 100, 515, ""},
        {1025, 100, 516, ""},     {1025, 100, 512, ""},       {1024, 100, 513, ""},
        {0x0201, 0, 513, ""},     {1025, 100, 0x400, "open"}, {1025, 100, 0x401, "open"},
        {1025, 100, 0x7B, ""},    {1024, 100, 0x401, ""},     {0xC123, 0, 0, "taskbar"},
        {0x0113, 1, 0, "retry"},  {0x0113, 2, 0, ""},         {0x0016, 1, 0, "end"},
        {0x0016, 0, 0, ""},       {0x0402, 0, 0, "open"},     {0x0402, 100, 513, "open"},
    };
    for (const Case& k : cases) {
        HeardEvents events;
        tray::deliverShellMessage({1025, 0xC123}, events, k.uMsg, k.wParam, k.lParam);
        EXPECT_EQ(events.heard, k.heard) << k.uMsg << "/" << k.wParam << "/" << k.lParam;
    }
}

}  // namespace

namespace {

using tray::Answer;

struct Start {
    const char* name;
    int holders;                               // the resident copy's handle, if any
    std::vector<Answer> answers;               // then no window
    std::optional<int> holdersAfterFirstWait;  // none: the copy does not end
    const char* outcome;
};

// A later start against the lock's name, which lives while anyone holds a
// handle on it: the resident copy, and each start until it lets go.
struct FakeStart : tray::ResidencyLock {
    explicit FakeStart(const Start& start) : k(start), holders(start.holders) {}

    const Start& k;
    int holders;
    std::size_t asked = 0;
    int waits = 0;
    bool holding = false;
    bool heldWhileWaiting = false;
    const char* told = nullptr;

    bool acquire() override {
        holding = true;
        return holders++ == 0;
    }
    void release() override { holders -= std::exchange(holding, false) ? 1 : 0; }
    Answer askResidentCopy() override {
        return asked < k.answers.size() ? k.answers[asked++] : Answer::NoWindow;
    }
    bool waitForEnd() override { return waited(); }
    bool waitForWindow() override { return waited() && waits < 10; }
    void tellUser(tray::GivingUp why) override {
        told = why == tray::GivingUp::NoResponse ? "no response" : "still closing";
    }
    // The resident copy goes, or stays, during the first wait.
    bool waited() {
        heldWhileWaiting = heldWhileWaiting || holding;
        if (waits++ > 0) {
            return true;
        }
        holders = k.holdersAfterFirstWait.value_or(holders);
        return k.holdersAfterFirstWait.has_value();
    }
};

// A later start opens the resident copy, or takes the place of one that
// ended, or of one whose window has gone and whose lock is free again; it
// gives up only on a copy that gives no answer or does not end in time.
TEST(Residency, ALaterStartOpensTheResidentCopyOrTakesThePlaceOfOneThatEnded) {
    const Start starts[] = {
        {"first start", 0, {}, 0, "runs"},
        {"resident copy opens", 1, {Answer::Opens}, 1, "opens"},
        {"resident copy gives no answer", 1, {Answer::NoAnswer}, 1, "no response"},
        {"resident copy ended", 1, {Answer::Ending}, 0, "runs"},
        {"another start took its place", 1, {Answer::Ending, Answer::Opens}, 1, "opens"},
        {"resident copy did not end in time", 1, {Answer::Ending}, std::nullopt, "still closing"},
        {"its window gone, then its lock", 1, {Answer::NoWindow}, 0, "runs"},
        {"a lock but never a window", 1, {}, std::nullopt, "no response"},
    };
    for (const Start& k : starts) {
        FakeStart start(k);
        const bool runs = tray::becomeResident(start);
        EXPECT_STREQ(runs                    ? "runs"
                     : start.told != nullptr ? start.told
                                             : "opens",
                     k.outcome)
            << k.name;
        EXPECT_FALSE(start.heldWhileWaiting) << k.name;
    }
}

}  // namespace
