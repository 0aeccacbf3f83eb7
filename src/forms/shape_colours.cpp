#include "forms/shape_colours.h"

#include <algorithm>

#include "forms/form.h"

namespace forms {

namespace {

bool contains(const Geometry& outer, const Geometry& inner) {
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

// The shapes drawn behind this one (later in the stacking order) that it
// lies wholly on.
int shapesBeneath(const Shape& shape) {
    const std::vector<Control*>& controls = shape.owner().controls();
    auto behind = std::find(controls.begin(), controls.end(), &shape);
    if (behind == controls.end()) {
        return 0;
    }
    return static_cast<int>(std::count_if(std::next(behind), controls.end(), [&](const Control* c) {
        return c->kind() == ControlKind::Shape && contains(c->geometry(), shape.geometry());
    }));
}

}  // namespace

ShapePaint shapePaint(const Shape& shape, const SystemColours& system, bool highContrast) {
    if (!highContrast) {
        return {shape.fill(), system.windowText, false};
    }
    const bool figure = shapesBeneath(shape) % 2 == 1;
    return {figure ? system.windowText : system.window, system.windowText, true};
}

}  // namespace forms
