#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "forms/shape_colours.h"
#include "support/setup_fixture.h"

namespace {

using forms::Rgb;

// The relative luminance and contrast ratio by which legibility is judged
// (sRGB, with the screen's gamma taken out).
double luminance(Rgb colour) {
    const auto linear = [](std::uint8_t channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) +
           0.0722 * linear(colour.blue);
}

double contrast(Rgb one, Rgb other) {
    const double a = luminance(one);
    const double b = luminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool same(Rgb one, Rgb other) {
    return one.red == other.red && one.green == other.green && one.blue == other.blue;
}

// The preview in each scheme: the screen is the background and the picture
// the figure on it, and the two must tell apart at 3:1 at least, as shapes
// that carry meaning must. The schemes are the window and window text
// colours of the usual high-contrast themes; "none" is the design look,
// where the fixed design fills stay as they are (green on grey is about
// 1.3:1, which is why high contrast does not keep them).
TEST(ShapeColours, InHighContrastThePictureStandsOutFromTheScreenInEveryUsualScheme) {
    struct Scheme {
        const char* name;
        bool highContrast;
        forms::SystemColours system;
        Rgb screen;
        Rgb picture;
    };
    constexpr Rgb kBlack{0, 0, 0};
    constexpr Rgb kWhite{255, 255, 255};
    const Scheme schemes[] = {
        {"none", false, {kWhite, kBlack}, {192, 192, 192}, {0, 255, 0}},
        {"High Contrast Black", true, {kBlack, kWhite}, kBlack, kWhite},
        {"High Contrast White", true, {kWhite, kBlack}, kWhite, kBlack},
        {"High Contrast #1", true, {kBlack, {255, 255, 0}}, kBlack, {255, 255, 0}},
        {"High Contrast #2", true, {kBlack, {0, 255, 0}}, kBlack, {0, 255, 0}},
    };
    testing_support::SetupFixture f;
    f.load();
    for (const Scheme& s : schemes) {
        const forms::ShapePaint screen =
            forms::shapePaint(f.preview().shapeScreen, s.system, s.highContrast);
        const forms::ShapePaint picture =
            forms::shapePaint(f.preview().shapeImage, s.system, s.highContrast);
        EXPECT_TRUE(same(screen.fill, s.screen)) << s.name;
        EXPECT_TRUE(same(picture.fill, s.picture)) << s.name;
        EXPECT_TRUE(same(screen.outline, s.system.windowText)) << s.name;
        EXPECT_EQ(screen.heavyOutline, s.highContrast) << s.name;
        if (s.highContrast) {
            EXPECT_GE(contrast(screen.fill, picture.fill), 3.0) << s.name;
        }
    }
}

}  // namespace
