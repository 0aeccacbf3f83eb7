#include <gtest/gtest.h>

#include "forms/twips.h"
#include "forms/window_size.h"
#include "support/setup_fixture.h"

namespace {

using forms::FrameExtent;
using forms::PixelSize;

TEST(WindowSize, TheOuterSizeIsTheClientAreaPlusThePlatformsRealFrame) {
    EXPECT_EQ(forms::outerPixelSize(1710, 6210, 96, {6, 25}), (PixelSize{120, 439}));
    EXPECT_EQ(forms::outerPixelSize(1710, 6210, 96, {16, 39}), (PixelSize{130, 453}));
    EXPECT_EQ(forms::outerPixelSize(1710, 6210, 144, {0, 0}), (PixelSize{171, 621}));
}

TEST(WindowSize, AFormShowsItsDesignWidthUntilCodeSetsWidthThenThatLessTheToolkitsFrame) {
    testing_support::SetupFixture f;
    EXPECT_FLOAT_EQ(forms::clientWidthTwips(f.window), 3645);
    f.load();
    EXPECT_FLOAT_EQ(forms::clientWidthTwips(f.window), 1710);
}

// The window moved to a display of another DPI, wide, then back: each size
// comes from the twips, and the corner the system gave comes back exactly.
// A message another program made up, with no corner or a DPI outside 100 %
// to 500 %, changes nothing, however often it is repeated.
TEST(WindowSize, ADpiChangeSizesTheWindowAfreshFromTwipsAndKeepsTheGivenCorner) {
    testing_support::SetupFixture f;
    f.load();
    f.window.cmdAdvanced_Click();
    struct Step {
        int dpi;
        std::optional<forms::PixelPoint> corner;
        FrameExtent frame;
        std::optional<PixelSize> size;  // none: the change is ignored
    };
    for (const Step& step :
         {Step{144, {{1921, 7}}, {9, 38}, {{377, 659}}}, Step{96, {{-3, 0}}, {6, 25}, {{251, 439}}},
          Step{0, {{-3, 0}}, {6, 25}, {}}, Step{95, {{0, 0}}, {6, 25}, {}},
          Step{480, {{0, 0}}, {30, 125}, {{1255, 2195}}}, Step{481, {{0, 0}}, {30, 125}, {}},
          Step{576, {{0, 0}}, {36, 150}, {}}, Step{192, {}, {12, 50}, {}},
          Step{192, {{2560, 1440}}, {12, 50}, {{502, 878}}},
          Step{120, {{100, 33}}, {8, 31}, {{314, 549}}}}) {
        const auto placed = forms::placeAfterDpiChange(f.window, step.dpi, step.corner, step.frame);
        ASSERT_EQ(placed.has_value(), step.size.has_value()) << step.dpi;
        if (!placed) {
            continue;
        }
        EXPECT_EQ(placed->size, step.size) << step.dpi;
        EXPECT_EQ(forms::twipsToPixels(placed->leftTwips, step.dpi), step.corner->left) << step.dpi;
        EXPECT_EQ(forms::twipsToPixels(placed->topTwips, step.dpi), step.corner->top) << step.dpi;
        f.window.setLeft(placed->leftTwips);
        f.window.setTop(placed->topTwips);
    }
    EXPECT_FLOAT_EQ(f.window.Width(), 3765) << "the width the code set is kept in twips";
}

// A window comes back wholly inside the work area of its monitor, moved the
// least that fits. When a change to a smaller display mode is announced the
// system may still report the old work area (Wine does): only the part on
// the monitor counts.
TEST(WindowSize, AWindowComesBackInsideTheWorkAreaClippedToItsMonitor) {
    using forms::PixelRect;
    struct Case {
        const char* name;
        PixelRect window;
        PixelRect monitor;
        PixelRect work;
        PixelRect fitted;
    };
    const PixelRect vga{0, 0, 640, 480};
    const Case cases[] = {
        {"under the task bar", {500, 300, 120, 439}, vga, {0, 0, 640, 452}, {500, 13, 120, 439}},
        {"stale work area", {520, 565, 120, 439}, vga, {0, 0, 1024, 740}, {520, 41, 120, 439}},
        {"work area off it", {900, 900, 120, 439}, vga, {1024, 0, 800, 600}, {520, 41, 120, 439}},
        {"work area beside it", {900, 900, 120, 439}, vga, {640, 0, 800, 600}, {520, 41, 120, 439}},
        {"work area below it", {900, 900, 120, 439}, vga, {0, 480, 640, 400}, {520, 41, 120, 439}},
        {"larger than the area", {50, 50, 700, 500}, vga, {0, 0, 640, 452}, {0, 0, 700, 500}},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(forms::fitInside(k.window, k.monitor, k.work), k.fitted) << k.name;
    }
}

// What each of the setup window's two widths must show, at any scale and
// whatever frame the platform draws.
class SetupWindowWidths : public ::testing::TestWithParam<std::tuple<int, FrameExtent>> {};

TEST_P(SetupWindowWidths, CompactShowsTheLeftColumnOnlyAndAdvancedShowsEverything) {
    const auto [dpi, frame] = GetParam();
    testing_support::SetupFixture f;
    f.load();
    const auto clientPixels = [&] {
        const float client = forms::clientWidthTwips(f.window);
        const PixelSize outer = forms::outerPixelSize(client, 6210, dpi, frame);
        return outer.width - frame.horizontal;
    };
    const auto pixel = [dpi](float twips) { return forms::twipsToPixels(twips, dpi); };

    ASSERT_FLOAT_EQ(f.window.Width(), 1800);
    EXPECT_GE(clientPixels(), pixel(1590)) << "chkVGAOnly's right edge shows";
    EXPECT_LE(clientPixels(), pixel(1785)) << "nothing of the right column shows";

    f.window.cmdAdvanced_Click();
    ASSERT_FLOAT_EQ(f.window.Width(), 3765) << "the model keeps the width it was given";
    EXPECT_GE(clientPixels(), pixel(3480)) << "the right-most edge of the layout shows";
}

INSTANTIATE_TEST_SUITE_P(ScalesAndFrames, SetupWindowWidths,
                         ::testing::Combine(::testing::Values(96, 120, 144, 192),
                                            ::testing::Values(FrameExtent{0, 0}, FrameExtent{6, 25},
                                                              FrameExtent{16, 39},
                                                              FrameExtent{40, 80})));

}  // namespace
