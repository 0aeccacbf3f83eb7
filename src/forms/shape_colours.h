#pragma once

#include "forms/controls.h"

namespace forms {

// The two system colours every high-contrast scheme pairs for legibility:
// the window's background and the text written on it.
struct SystemColours {
    Rgb window;
    Rgb windowText;
};

struct ShapePaint {
    Rgb fill;
    Rgb outline;
    bool heavyOutline = false;  // thicker than the toolkit's one-pixel line
};

// How a shape is painted. Outside high contrast: its design fill, in the
// toolkit's thin outline of the window text colour. In high contrast a fixed
// fill would ignore the user's scheme, so the shapes take the scheme's own
// pair, whose contrast the scheme guarantees: a shape that lies on no other
// is a background (window colour), one that lies on a background is a figure
// on it (window text colour), and so on, alternating; every shape has a
// heavy outline of the window text colour, so the background stands out from
// the window round it too.
ShapePaint shapePaint(const Shape& shape, const SystemColours& system, bool highContrast);

}  // namespace forms
