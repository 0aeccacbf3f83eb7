#include <gtest/gtest.h>

#include "forms/twips.h"

namespace {

using forms::PixelRect;

TEST(Twips, ConvertToTheNearestPixelAtEachScale) {
    struct Case {
        float twips;
        int dpi;
        int pixels;
    };
    for (const Case& c : std::vector<Case>{{1440, 96, 96},
                                           {15, 96, 1},
                                           {7, 96, 0},
                                           {8, 96, 1},
                                           {1800, 96, 120},
                                           {1800, 120, 150},
                                           {1800, 144, 180},
                                           {1590, 144, 159},
                                           {6210, 96, 414},
                                           {-45, 96, -3},
                                           {0, 192, 0}}) {
        EXPECT_EQ(forms::twipsToPixels(c.twips, c.dpi), c.pixels)
            << c.twips << " twips at " << c.dpi << " dpi";
    }
}

TEST(Twips, PixelsTheUserMovedTheWindowToConvertBackToTheSamePixel) {
    for (int dpi : {96, 120, 144, 168, 192}) {
        for (int pixels : {-1280, -7, -1, 0, 1, 3, 7, 99, 1919, 3839}) {
            EXPECT_EQ(forms::twipsToPixels(forms::pixelsToTwips(pixels, dpi), dpi), pixels)
                << pixels << " pixels at " << dpi << " dpi";
        }
    }
    EXPECT_FLOAT_EQ(forms::pixelsToTwips(120, 96), 1800);
}

TEST(Twips, RectanglesConvertTheirEdgesSoNeighboursStayEdgeToEdge) {
    // 100 twips is 6.67 pixels at 96 dpi: converting sizes would leave gaps.
    const PixelRect first = forms::toPixels({0, 0, 100, 100}, 96);
    const PixelRect second = forms::toPixels({100, 100, 100, 100}, 96);
    EXPECT_EQ(first, (PixelRect{0, 0, 7, 7}));
    EXPECT_EQ(second, (PixelRect{7, 7, 6, 6}));
    EXPECT_EQ(first.left + first.width, second.left);
}

TEST(Twips, TheSetupWindowsPictureKeepsItsProportionsAtEveryScale) {
    for (int dpi : {96, 120, 144, 192}) {
        const PixelRect screen = forms::toPixels({1965, 4320, 1380, 1275}, dpi);
        const double expected = static_cast<double>(1380) / 1275;
        EXPECT_NEAR(static_cast<double>(screen.width) / screen.height, expected, 0.02) << dpi;
    }
}

}  // namespace
