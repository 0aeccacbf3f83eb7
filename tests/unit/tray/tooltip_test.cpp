#include <gtest/gtest.h>

#include "support/setup_fixture.h"
#include "tray/tooltip.h"
#include "tray/tray_record.h"

namespace {

struct Tooltip : ::testing::Test, testing_support::SetupFixture {
    void SetUp() override { load(); }
};

TEST_F(Tooltip, NamesTheOutputThenTheFilterByTheFirstTestThatHolds) {
    struct Case {
        forms::CheckValue vgaOnly;
        bool comp, svhs, none, medium, maximum;
        const char* expected;
    };
    const Case cases[] = {
        {1, true, false, false, true, false, "VGA Only - Medium Filter"},
        {1, false, true, true, false, false, "VGA Only - No Filtering "},
        {0, true, false, false, false, true, "Comp Out - Maximum Filter"},
        {0, false, true, false, true, false, "SVHS Out - Medium Filter"},
        {0, false, false, false, true, false, "SVHS Out - Medium Filter"},
        {2, true, false, false, false, false, "Comp Out - "},
        {0, false, false, false, false, false, "SVHS Out - "},
    };
    for (const Case& k : cases) {
        c().chkVGAOnly.setValue(k.vgaOnly);
        c().optCompOut.setValue(k.comp);
        c().optSVHSOut.setValue(k.svhs);
        c().optFilterNone.setValue(k.none);
        c().optFilterMedium.setValue(k.medium);
        c().optFilterMax.setValue(k.maximum);
        EXPECT_EQ(tray::composeTooltip(c()),
                  std::string("Lumivance is currently set up for ") + k.expected);
    }
}

TEST(TooltipField, HoldsTheTextThenSpacesToTheFullWidth) {
    const std::string text = "Lumivance is currently set up for VGA Only - No Filtering ";
    const auto field = tray::tooltipField(text);
    ASSERT_EQ(field.size(), 64U);
    EXPECT_EQ(std::string(field.data(), text.size()), text);
    EXPECT_EQ(std::string(field.data() + text.size(), 63 - text.size()),
              std::string(63 - text.size(), ' '));
    EXPECT_EQ(field[63], '\0') << "the shell finds its terminator in the last character";

    tray::TrayRecord record;
    record.szTip = field;
    EXPECT_EQ(record.tipText(), "Lumivance is currently set up for VGA Only - No Filtering");
}

TEST(TooltipField, CutsWhatDoesNotFit) {
    const auto field = tray::tooltipField(std::string(80, 'x'));
    EXPECT_EQ(std::string(field.data()), std::string(63, 'x'));
}

}  // namespace
