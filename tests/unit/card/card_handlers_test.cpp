#include <gtest/gtest.h>

#include "support/setup_fixture.h"

namespace {

using Codes = std::vector<int>;
using testing_support::EventLog;

struct CardHandlers : ::testing::Test, testing_support::SetupFixture {
    void SetUp() override { load(); }

    // TV on, as after the user cleared "Display on VGA only": toggles now reach the card.
    void tvOn() {
        c().chkVGAOnly.setValue(0);
        driver.codes.clear();
    }
    // From here on, one timeline of enabled-state changes and commands.
    EventLog& logEnabledStatesAndCommands() {
        driver.log = &effects;
        platform.log = &effects;
        window.Unload();
        window.Load();
        effects.clear();
        return effects;
    }
    EventLog effects;

    bool enabled(std::initializer_list<const forms::Control*> controls) {
        bool all = true;
        for (const auto* control : controls) {
            all = all && control->enabled();
        }
        return all;
    }
};

struct ResetCase {
    const char* name;
    bool svhs;
    forms::OptionButton card::CardControls::*filter;
    forms::CheckValue blanking, phase;
    Codes expected;
};

TEST_F(CardHandlers, TvOnResetSendsTvOnThenMaximumOnlyWhenTheFilterChanges) {
    const ResetCase cases[] = {
        {"S-VHS, Medium, both boxes set",
         true,
         &card::CardControls::optFilterMedium,
         1,
         1,
         {127, 18}},
        {"Composite, Maximum, both clear", false, &card::CardControls::optFilterMax, 0, 0, {127}},
        {"Composite, None, blanking set",
         false,
         &card::CardControls::optFilterNone,
         1,
         0,
         {127, 18}},
    };
    for (const ResetCase& k : cases) {
        SCOPED_TRACE(k.name);
        window.Unload();
        vars() = {};
        load();
        vars().DisplayMode = k.svhs ? 1 : 0;
        c().optSVHSOut.setValue(k.svhs);
        c().optCompOut.setValue(!k.svhs);
        (c().*k.filter).setValue(true);
        c().chkBlanking.setValue(k.blanking);
        c().chkPhase.setValue(k.phase);
        c().optTestBlack.setValue(true);
        c().optBlankBlack.setValue(true);
        c().optPAL.setValue(true);
        vars().curHorizValue = 40;
        vars().curVertDirection = -8;
        driver.codes.clear();

        c().chkVGAOnly.setValue(0);

        EXPECT_EQ(driver.codes, k.expected);
        EXPECT_EQ(vars().DisplayMode, 0);
        EXPECT_EQ(vars().UpdateCard, forms::True);
        EXPECT_TRUE(c().optCompOut.selected());
        EXPECT_FALSE(c().optSVHSOut.selected());
        EXPECT_TRUE(c().optFilterMax.selected());
        EXPECT_EQ(c().chkBlanking.value(), 0);
        EXPECT_EQ(c().chkPhase.value(), 0);
        EXPECT_EQ(vars().curHorizValue, 0);
        EXPECT_EQ(vars().curVertValue, 0);
        EXPECT_EQ(vars().curHorizDirection, 8);
        EXPECT_EQ(vars().curVertDirection, 8);
        EXPECT_EQ(picture(), std::make_pair(2157.0F, 4512.0F));
        EXPECT_TRUE(enabled({&c().frmOutputEnable, &c().optCompOut, &c().optSVHSOut}));
        // What the reset leaves alone.
        EXPECT_TRUE(c().optTestBlack.selected());
        EXPECT_EQ(c().chkNormalOut.value(), 1);
        EXPECT_TRUE(c().optBlankBlack.selected());
        EXPECT_TRUE(c().optPAL.selected());
    }
}

TEST_F(CardHandlers, TvOnEnablesTheOutputGroupBeforeSending) {
    EventLog& log = logEnabledStatesAndCommands();
    c().chkVGAOnly.setValue(0);
    EXPECT_EQ(log, (EventLog{"frmOutputEnable enabled", "optCompOut enabled", "optSVHSOut enabled",
                             "send 127", "send 18"}));
}

TEST_F(CardHandlers, VgaOnlySendsOnlyVgaOnlyAndKeepsTheOutputMirror) {
    tvOn();
    c().optSVHSOut.setValue(true);
    driver.codes.clear();
    c().chkVGAOnly.setValue(1);
    EXPECT_EQ(driver.codes, (Codes{23}));
    EXPECT_FALSE(c().frmOutputEnable.enabled());
    EXPECT_FALSE(c().optCompOut.enabled());
    EXPECT_FALSE(c().optSVHSOut.enabled());
    EXPECT_EQ(vars().DisplayMode, 1);
    EXPECT_TRUE(c().optSVHSOut.selected());
    EXPECT_EQ(vars().UpdateCard, forms::True) << "VGA only does not silence the toggles";
}

TEST_F(CardHandlers, TogglesAreSilentUntilTheFirstTvOnThenSentOncePerChange) {
    c().chkBlanking.setValue(1);
    c().chkPhase.setValue(1);
    EXPECT_TRUE(driver.codes.empty());
    EXPECT_EQ(c().chkBlanking.value(), 1);

    tvOn();  // clears both boxes silently
    c().chkBlanking.setValue(1);
    c().chkBlanking.setValue(0);
    c().chkPhase.setValue(1);
    c().chkVGAOnly.setValue(1);
    c().chkPhase.setValue(0);
    c().chkBlanking.setValue(2);
    EXPECT_EQ(driver.codes, (Codes{1, 1, 22, 23, 22, 1}));
}

TEST_F(CardHandlers, TheOutputPairGoesOutOnlyWhenTheCardIsOnTheOtherOutput) {
    tvOn();
    c().optSVHSOut.setValue(true);
    EXPECT_EQ(driver.codes, (Codes{20, 21}));
    EXPECT_EQ(vars().DisplayMode, 1);

    c().optSVHSOut.setValue(false);
    c().optSVHSOut.setValue(true);  // raised again, card already on S-VHS
    EXPECT_EQ(driver.codes, (Codes{20, 21}));

    c().optCompOut.setValue(true);
    EXPECT_EQ(driver.codes, (Codes{20, 21, 20, 21}));
    EXPECT_EQ(vars().DisplayMode, 0);
}

TEST_F(CardHandlers, ClearingNormalOutputSendsTheSelectedTestSignal) {
    struct Case {
        forms::OptionButton card::CardControls::*option;  // nullptr: none selected
        int expected;
    };
    const Case cases[] = {{&card::CardControls::optTestBlack, 4},
                          {&card::CardControls::optTestBars, 6},
                          {&card::CardControls::optTestRamp, 5},
                          {nullptr, 5}};
    for (const Case& k : cases) {
        c().chkNormalOut.setValue(1);
        if (k.option != nullptr) {
            (c().*k.option).setValue(true);
        } else {
            c().optTestBars.setValue(false);
            c().optTestBlack.setValue(false);
            c().optTestRamp.setValue(false);
        }
        driver.codes.clear();
        c().chkNormalOut.setValue(0);
        EXPECT_EQ(driver.codes, (Codes{k.expected})) << "case " << k.expected;
        EXPECT_TRUE(
            enabled({&c().frmTestSignal, &c().optTestBlack, &c().optTestBars, &c().optTestRamp}));
    }
    driver.codes.clear();
    c().chkNormalOut.setValue(1);
    EXPECT_EQ(driver.codes, (Codes{7}));
    EXPECT_FALSE(c().frmTestSignal.enabled());
    EXPECT_FALSE(c().optTestRamp.enabled());
}

TEST_F(CardHandlers, NormalOutputEnablesTheTestGroupBeforeTestingTheOptions) {
    EventLog& log = logEnabledStatesAndCommands();
    c().chkNormalOut.setValue(0);
    EXPECT_EQ(log, (EventLog{"frmTestSignal enabled", "optTestBlack enabled", "optTestBars enabled",
                             "optTestRamp enabled", "send 6"}));
}

TEST_F(CardHandlers, ACheckValueOfTwoTakesTheUncheckedBranch) {
    c().chkNormalOut.setValue(2);
    EXPECT_EQ(driver.codes, (Codes{6}));
    EXPECT_TRUE(c().frmTestSignal.enabled());

    driver.codes.clear();
    c().chkVGAOnly.setValue(2);
    EXPECT_EQ(driver.codes, (Codes{127, 18}));
    EXPECT_TRUE(c().optSVHSOut.enabled());
}

TEST_F(CardHandlers, HandlersRaisedByCodeOnDisabledControlsStillSend) {
    ASSERT_FALSE(c().optSVHSOut.enabled());
    c().optSVHSOut.setValue(true);
    EXPECT_EQ(driver.codes, (Codes{20, 21}));
}

TEST_F(CardHandlers, ATestSignalChosenWhileNormalOutputIsShownIsOnlyRemembered) {
    c().optTestBlack.setValue(true);
    c().optTestRamp.setValue(true);
    EXPECT_EQ(driver.codes, Codes{});
    c().chkNormalOut.setValue(0);
    c().optTestBlack.setValue(true);
    EXPECT_EQ(driver.codes, (Codes{5, 4}));
}

TEST_F(CardHandlers, AbsoluteChoicesAreSentEveryTimeAndTheStandardNever) {
    c().optFilterNone.setValue(true);
    c().optFilterMax.setValue(true);
    c().optFilterMedium.setValue(true);
    c().optBlankBlack.setValue(true);
    c().optBlankBlue.setValue(true);
    c().optPAL.setValue(true);
    c().optNTSC.setValue(true);
    EXPECT_EQ(driver.codes, (Codes{16, 18, 17, 32, 33}));
}

TEST_F(CardHandlers, UserClicksDriveTheCardLikeAssignments) {
    c().chkVGAOnly.userClick();
    c().optSVHSOut.userClick();
    c().optFilterNone.userClick();
    c().chkBlanking.userClick();
    c().optTestBlack.userClick();  // disabled while normal output is set
    EXPECT_EQ(driver.codes, (Codes{127, 18, 20, 21, 16, 1}));
}

}  // namespace
