#pragma once

#include "charts/bar/BarGeometry.h"
#include "charts/bar/BarStyle.h"
#include "kit/base/Path.h"
#include "kit/base/Rect.h"
#include "kit/ui/Layout.h"
#include "kit/ui/Shape.h"

namespace charts {

// The outline of a bar: a rectangle whose four corners have radii of their
// own (top-left, top-right, bottom-left, bottom-right). Only the
// rectangle's size is used, never its origin. Each radius is held to
// 0 ... half the width and half the height (a radius that is not a number
// counts as 0), so radii of 20 on a bar 10 wide round its ends fully at 5.
// The outline runs clockwise on screen from the end of the top-left corner
// and ends where it began, without a closing element. A change of radius
// is drawn at once, never interpolated.
//
//   RoundedRectangleBarShape(5, 5, 0, 0).fill(kit::Color::blue())   // tl, tr, bl, br
struct RoundedRectangleBarShape : kit::ShapeBase<RoundedRectangleBarShape> {
    double tl = 0;
    double tr = 0;
    double bl = 0;
    double br = 0;

    RoundedRectangleBarShape(double tl, double tr, double bl, double br) : tl(tl), tr(tr), bl(bl), br(br) {}

    // Worked out with the rest of the bars' arithmetic (BarGeometry.cpp).
    kit::Path path(const kit::Rect& rect) const;

    friend bool operator==(const RoundedRectangleBarShape& a, const RoundedRectangleBarShape& b)
    {
        return a.tl == b.tl && a.tr == b.tr && a.bl == b.bl && a.br == b.br;
    }
};

// The outline of a bar with the corner radii of a bar style.
inline RoundedRectangleBarShape barShape(const CornerRadius& radius)
{
    return RoundedRectangleBarShape(radius.topLeft, radius.topRight, radius.bottomLeft, radius.bottomRight);
}

// The outline of a bar that measures its value along `axis` from its base,
// with the corner radii of a bar style. A bar of a negative value reaches
// from its base the other way, so its radii are mirrored across the base
// (top for bottom on a vertical bar, leading for trailing on a horizontal
// one): the corners that round a positive bar's free end round its free end
// too, and those on the zero line stay as a positive bar's base has them.
inline RoundedRectangleBarShape barShape(const CornerRadius& radius, kit::Axis axis, bool negative)
{
    if (!negative)
        return barShape(radius);
    if (axis == kit::Axis::vertical)
        return RoundedRectangleBarShape(radius.bottomLeft, radius.bottomRight, radius.topLeft, radius.topRight);
    return RoundedRectangleBarShape(radius.topRight, radius.topLeft, radius.bottomRight, radius.bottomLeft);
}

} // namespace charts
