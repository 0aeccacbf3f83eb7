#include <gtest/gtest.h>

#include "card/position_words.h"
#include "support/setup_fixture.h"

namespace {

using forms::ErrorNumber;

struct Stepping : ::testing::Test, testing_support::SetupFixture {
    void SetUp() override { load(); }
    // shapeScreen is at (1965, 4320); offset 0 puts the picture 192 inside it.
    static constexpr float kScreenLeft = 1965;
    static constexpr float kScreenTop = 4320;
};

TEST_F(Stepping, HorizontalPressesBounceBetweenTheEndsEvery32Presses) {
    const std::vector<int> expected = {8,   16,  24,  32,  40,  48,  56,  64,  56,  48,  40,
                                       32,  24,  16,  8,   0,   -8,  -16, -24, -32, -40, -48,
                                       -56, -64, -56, -48, -40, -32, -24, -16, -8,  0,   8};
    for (std::size_t press = 0; press < expected.size(); ++press) {
        window.preview().cmdHorizAdjust.userClick();
        ASSERT_EQ(vars().curHorizValue, expected[press]) << "press " << press + 1;
        EXPECT_EQ(picture().first, kScreenLeft + 192 + 3 * expected[press]);
        EXPECT_EQ(picture().second, kScreenTop + 192) << "a horizontal press keeps Top";
    }
    EXPECT_EQ(driver.codes, std::vector<int>(expected.size(), 3));
}

TEST_F(Stepping, VerticalPressesKeepTheLeftTheyRead) {
    vars().curHorizValue = 16;
    window.preview().shapeImage.move(2000);
    vars().curVertDirection = -8;
    for (int press = 0; press < 9; ++press) {
        window.preview().cmdVertAdjust.userClick();
    }
    EXPECT_EQ(vars().curVertValue, -56);
    EXPECT_EQ(vars().curVertDirection, 8);
    EXPECT_EQ(picture(), std::make_pair(2000.0F, kScreenTop + 192 - 3 * 56));
    EXPECT_EQ(driver.codes, std::vector<int>(9, 2));
}

TEST_F(Stepping, ReversalIsTestedBeforeTheStepAndByEqualityOnly) {
    struct Case {
        std::int16_t value, direction, nextValue, nextDirection;
    };
    const Case cases[] = {
        {64, 8, 56, -8},  {-64, -8, -56, 8}, {64, -8, 56, -8},
        {-64, 8, -56, 8}, {60, 8, 68, 8},    {0, 0, 0, 0},
    };
    for (const Case& k : cases) {
        vars().curHorizValue = k.value;
        vars().curHorizDirection = k.direction;
        window.preview().cmdHorizAdjust.userClick();
        EXPECT_EQ(vars().curHorizValue, k.nextValue) << "from " << k.value << "/" << k.direction;
        EXPECT_EQ(vars().curHorizDirection, k.nextDirection) << "from " << k.value;
    }
    EXPECT_EQ(driver.codes.size(), std::size(cases)) << "every press sends one step";
}

TEST_F(Stepping, PlacementRunsFromTheScreenEdgeTo384InsideItAndStaysInside) {
    card::CardDriver cardDriver(window, driver);
    card::PositionStepping stepping(preview(), vars(), cardDriver);
    const auto& image = preview().shapeImage.geometry();
    const auto& screen = preview().shapeScreen.geometry();
    for (auto [offset, inset] : {std::pair{-64, 0.0F}, {0, 192.0F}, {64, 384.0F}}) {
        stepping.PlacePreviewImage(static_cast<std::int16_t>(offset),
                                   static_cast<std::int16_t>(offset));
        EXPECT_EQ(picture(), std::make_pair(kScreenLeft + inset, kScreenTop + inset)) << offset;
        EXPECT_LT(image.left + image.width, screen.left + screen.width) << offset;
        EXPECT_LT(image.top + image.height, screen.top + screen.height) << offset;
    }
    EXPECT_TRUE(driver.codes.empty()) << "placing the preview sends nothing";
}

TEST_F(Stepping, AnOverflowingStepChangesNothing) {
    vars().curHorizValue = 32767;
    vars().curHorizDirection = 8;
    const auto before = picture();
    window.preview().cmdHorizAdjust.userClick();
    EXPECT_EQ(vars().curHorizValue, 32767);
    EXPECT_EQ(picture(), before);
    EXPECT_TRUE(driver.codes.empty());
    ASSERT_EQ(errors.reports.size(), 1U);
    EXPECT_EQ(errors.reports[0].number, ErrorNumber::Overflow);
}

TEST_F(Stepping, AnOverflowingPlacementKeepsTheNewOffsetButMovesAndSendsNothing) {
    vars().curVertValue = 10920;
    vars().curVertDirection = 8;
    const auto before = picture();
    window.preview().cmdVertAdjust.userClick();
    EXPECT_EQ(vars().curVertValue, 10928);
    EXPECT_EQ(picture(), before);
    EXPECT_TRUE(driver.codes.empty());
    ASSERT_EQ(errors.reports.size(), 1U);
    EXPECT_EQ(errors.reports[0].number, ErrorNumber::Overflow);
}

// What a screen reader hears of the preview, and of Horiz and Vert: the
// picture's place in words, after every way the picture moves.
TEST_F(Stepping, ThePreviewAndBothStepButtonsSayWhereThePictureIs) {
    struct Case {
        const char* action;
        std::function<void()> act;
        const char* words;
    };
    const auto stored = [this](const char* horizontal, const char* vertical) {
        store.values[{"Position", "Horizontal"}] = horizontal;
        store.values[{"Position", "Vertical"}] = vertical;
    };
    const std::vector<Case> cases{
        {"a load", [] {}, "centred"},
        {"Horiz", [this] { window.preview().cmdHorizAdjust.userClick(); }, "8 right"},
        {"Vert", [this] { window.preview().cmdVertAdjust.userClick(); }, "8 right, 8 down"},
        {"a TV-on reset", [this] { c().chkVGAOnly.setValue(0); }, "centred"},
        {"a settings read", [&] { stored("-64", "-16"), window.ReadSettingsFromFile(); },
         "64 left, 16 up"},
        {"Cancel", [&] { stored("0", "64"), window.cmdCancel_Click(); }, "64 down"},
    };
    for (const Case& k : cases) {
        k.act();
        EXPECT_EQ(preview().shapeScreen.accessible().value, k.words) << k.action;
        EXPECT_EQ(preview().cmdHorizAdjust.accessible().description, k.words) << k.action;
        EXPECT_EQ(preview().cmdVertAdjust.accessible().description, k.words) << k.action;
    }
    EXPECT_EQ(preview().shapeScreen.accessible().name, "Picture position");
    EXPECT_EQ(card::positionInWords(64, -64), "64 right, 64 up") << "both ends of travel";
}

}  // namespace
