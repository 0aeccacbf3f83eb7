#include <gtest/gtest.h>

#include <tuple>

#include "card/kel_setup_table.h"
#include "settings/setting_table.h"
#include "support/setup_fixture.h"

namespace {

using Codes = std::vector<int>;

struct SetupWindow : ::testing::Test, testing_support::SetupFixture {
    forms::CommandButton& advanced() { return window.buttons().cmdAdvanced; }
};

TEST_F(SetupWindow, FirstLoadOnAnEmptyStoreSendsNothingAndCentresThePicture) {
    window.Load();
    EXPECT_TRUE(driver.codes.empty());
    EXPECT_EQ(picture(), std::make_pair(2157.0F, 4512.0F));
    EXPECT_EQ(window.Width(), 1800);
    EXPECT_EQ(window.Left(), 0);
    EXPECT_EQ(window.Top(), 0);
    EXPECT_FALSE(window.Visible());
    EXPECT_EQ(advanced().caption(), "Advanced >>");
}

// The members the code names and the rows it does not are made apart; the
// loaded window is its table all the same: stacking order and the frame of
// each option.
TEST_F(SetupWindow, ALoadedWindowIsItsTable) {
    load();
    ASSERT_EQ(window.controls().size(), card::kKelSetupControls.size());
    for (std::size_t index = 0; index < card::kKelSetupControls.size(); ++index) {
        const forms::ControlRow& row = card::kKelSetupControls.at(index);
        const forms::Control& control = *window.controls().at(index);
        EXPECT_EQ(control.name(), row.name);
        EXPECT_EQ(control.container() == nullptr ? "" : control.container()->name(), row.container)
            << row.name;
        EXPECT_EQ(control.hasClickHandler(), row.clickHandled) << row.name << "'s click handler";
    }
}

TEST_F(SetupWindow, AdvancedAlternatesWidthAndCaption) {
    load();
    window.Show();
    const std::pair<float, const char*> expected[] = {
        {3765, "<<Advanced"}, {1800, "Advanced>>"}, {3765, "<<Advanced"}, {1800, "Advanced>>"}};
    for (const auto& [width, caption] : expected) {
        advanced().userClick();
        EXPECT_EQ(window.Width(), width);
        EXPECT_EQ(advanced().caption(), caption);
        EXPECT_EQ(window.Left(), 0) << "only the width changes";
    }
    EXPECT_TRUE(driver.codes.empty());
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(SetupWindow, OkSavesAndHidesWithoutACommand) {
    load();
    window.Show();
    c().optFilterNone.userClick();
    driver.codes.clear();
    window.buttons().cmdOK.userClick();
    EXPECT_FALSE(window.Visible());
    EXPECT_TRUE(driver.codes.empty());
    EXPECT_EQ(store.writes.size(), settings::kSavedSettings);
    EXPECT_EQ((store.values[{"Filter", "None"}]), "True");
}

TEST_F(SetupWindow, CancelSendsOnlyWhatItSetsBack) {
    load();
    window.Show();
    window.buttons().cmdCancel.userClick();
    EXPECT_TRUE(driver.codes.empty()) << "nothing differs from the saved settings";
    EXPECT_FALSE(window.Visible());

    window.Show();
    c().optFilterNone.userClick();
    c().optBlankBlack.userClick();
    c().optPAL.userClick();
    driver.codes.clear();
    window.buttons().cmdCancel.userClick();
    EXPECT_EQ(driver.codes, (Codes{33, 17}));
    EXPECT_TRUE(c().optNTSC.selected());
}

TEST_F(SetupWindow, HidingWhileWideKeepsTheWidthForTheNextShow) {
    load();
    window.Show();
    advanced().userClick();
    window.buttons().cmdOK.userClick();
    window.Show();
    EXPECT_EQ(window.Width(), 3765);
    EXPECT_EQ(advanced().caption(), "<<Advanced");
}

// The close box acts as Cancel; a close from another program only hides the
// window, keeping what it shows for the Exit that follows to save.
TEST_F(SetupWindow, TheCloseBoxActsAsCancelAndACloseRequestOnlyHides) {
    const std::tuple<const char*, void (ui::KelSetup::*)(), Codes, bool> cases[] = {
        {"close box", &ui::KelSetup::closeBox, {17}, false},
        {"close request", &ui::KelSetup::closeRequested, {}, true},
    };
    for (const auto& [name, close, sent, changeKept] : cases) {
        SCOPED_TRACE(name);
        load();
        window.Show();
        c().optFilterNone.userClick();
        driver.codes.clear();
        (window.*close)();
        EXPECT_TRUE(window.isLoaded());
        EXPECT_FALSE(window.Visible());
        EXPECT_EQ(driver.codes, sent);
        EXPECT_EQ(c().optFilterNone.selected(), changeKept);
        EXPECT_EQ(c().optFilterMedium.selected(), !changeKept);
    }
}

TEST_F(SetupWindow, AFailingSaveLeavesTheWindowShownAndIsReported) {
    load();
    window.Show();
    store.failingKey = {"Blanking", "BlankOn"};
    window.buttons().cmdOK.userClick();
    EXPECT_TRUE(window.Visible());
    ASSERT_EQ(errors.reports.size(), 1U);
}

TEST_F(SetupWindow, ALoadAfterAnUnloadStartsFromTheDesignAndKeepsTheFormVariables) {
    load();
    window.Show();
    advanced().userClick();
    c().chkVGAOnly.userClick();
    window.preview().cmdHorizAdjust.userClick();
    window.Unload();
    EXPECT_THROW(window.card(), forms::RuntimeError);
    EXPECT_EQ(vars().curHorizValue, 8) << "form variables outlive the unload";

    window.Show();
    EXPECT_EQ(window.Width(), 1800);
    EXPECT_EQ(advanced().caption(), "Advanced >>");
    EXPECT_EQ(c().chkVGAOnly.value(), 1);
    EXPECT_FALSE(c().frmOutputEnable.enabled());
    EXPECT_EQ(vars().curHorizValue, 0) << "read back from the empty store";
}

}  // namespace
