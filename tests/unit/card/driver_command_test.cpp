#include <gtest/gtest.h>

#include "card/driver_command.h"
#include "support/setup_fixture.h"

namespace {

using card::DriverCommand;
using Bytes = std::array<std::uint8_t, 4>;

TEST(DriverCommand, TheCommandVariableHoldsTheCodeLowByteFirst) {
    EXPECT_EQ(card::commandVariable(DriverCommand::DRV_TV_ON), (Bytes{0x7F, 0x00, 0, 0}));
    EXPECT_EQ(card::commandVariable(DriverCommand::DRV_BLANK_BLUE), (Bytes{0x21, 0x00, 0, 0}));
    EXPECT_EQ(card::commandVariable(DriverCommand::DRV_BLANK_TOGGLE), (Bytes{0x01, 0x00, 0, 0}));
}

struct Sending : ::testing::Test, testing_support::SetupFixture {};

TEST_F(Sending, ARepeatedCommandIsSentEveryTime) {
    load();
    vars().UpdateCard = forms::True;
    c().chkBlanking.setValue(1);
    c().chkBlanking.setValue(0);
    EXPECT_EQ(driver.codes, (std::vector<int>{1, 1}));
}

TEST_F(Sending, ACommandGoesOutWhileTheWindowIsHidden) {
    load();
    ASSERT_FALSE(window.Visible());
    c().optFilterNone.setValue(true);
    EXPECT_EQ(driver.codes, (std::vector<int>{16}));
}

TEST_F(Sending, ACommandForAWindowThatIsGoneIsNotMadeAndIsReported) {
    load();
    card::CardDriver detached(window, driver);
    window.Unload();
    EXPECT_THROW(detached.SendDriverCommand(DriverCommand::DRV_TV_ON), forms::RuntimeError);
    EXPECT_TRUE(driver.codes.empty());
}

}  // namespace
