#pragma once

#include <optional>

#include "forms/form.h"
#include "forms/twips.h"

namespace forms {

// A form's Width counts the toolkit's own dialog frame, 45 twips a side (three
// pixels at 96 dpi). The platform's real frame is thicker or thinner depending
// on its version, theme and scale, so the view keeps the client width that the
// toolkit's frame would leave and lets the real outer width follow: what a
// width shows of the layout is then the same everywhere.
inline constexpr float kToolkitFrameTwips = 90;

// How many pixels the platform's frame adds to the client area, both sides
// (and caption) together.
struct FrameExtent {
    int horizontal = 0;
    int vertical = 0;
};

struct PixelSize {
    int width = 0;
    int height = 0;

    bool operator==(const PixelSize&) const = default;
};

// The client width the form shows: its design width until code sets Width,
// then that Width less the toolkit's frame.
float clientWidthTwips(const Form& form);

// Whether the control lies wholly inside the client area the form shows. One
// the width clips is still there, enabled and in the tab order, but the user
// cannot see it.
bool liesInClientArea(const Control& control);

// Where a window at `window` goes so that it lies wholly inside the work
// area of its monitor, moved as little as that takes. A window larger than
// the area keeps its top-left corner inside it, so its caption can be
// reached. Only the part of the work area on the monitor counts: right after
// a change to a smaller display mode the system may still report the old
// work area, and a window fitted to that would be off the new screen.
PixelRect fitInside(PixelRect window, PixelRect monitor, PixelRect work);

// The real outer size of a window whose client area is `clientWidth` by
// `clientHeight` twips.
PixelSize outerPixelSize(float clientWidth, float clientHeight, int dpi, FrameExtent frame);

// A form's window after the display's DPI changed under it: the system says
// where its top-left corner goes; its size is worked out afresh from the
// form's twips at the new DPI, never scaled from the old pixels, so rounding
// cannot pile up over several changes. Left and Top are the corner in twips
// at the new DPI, for the form to keep.
struct DpiChangePlacement {
    int left = 0;
    int top = 0;
    PixelSize size;
    float leftTwips = 0;
    float topTwips = 0;
};
struct PixelPoint {
    int left = 0;
    int top = 0;
};
// The scales a display can have, 100 % to 500 %. Any program can send the
// message that the DPI changed, and again and again: one outside these
// bounds, or without a corner, is no display the window is on and gets
// nothing, so no run of such messages can grow the window past what a real
// display would.
inline constexpr int kLowestDpi = 96;
inline constexpr int kHighestDpi = 480;
std::optional<DpiChangePlacement> placeAfterDpiChange(const Form& form, int dpi,
                                                      std::optional<PixelPoint> suggested,
                                                      FrameExtent frame);

}  // namespace forms
