#pragma once

// The shapes of one slice: a pie's wedge and a doughnut's arc.

#include "charts/pie/SegmentGeometry.h"
#include "kit/base/Path.h"
#include "kit/base/UUID.h"

namespace charts {

// One slice of a pie: a wedge from the centre of the rectangle (its width
// and height only; the origin is not added) with radius half the smaller
// side, from startAngle sweeping amount radians clockwise on screen. Angles
// are not animated: a change redraws the wedge at once.
struct PieSegmentShape {
    kit::UUID id;
    double startAngle = 0;
    double amount = 0;

    kit::Path path(const kit::Rect& rect) const
    {
        kit::Path path;
        path.move(segmentCentre(rect));
        path.addRelativeArc(segmentCentre(rect), segmentRadius(rect), startAngle, amount);
        return path;
    }
};

// One slice of a doughnut: an open arc about the centre of the rectangle
// (its width and height only) with radius half the smaller side less
// insetAmount, meant to be stroked into a ring segment; no arc at all once
// the inset leaves no positive radius. Angles are not animated.
struct DoughnutSegmentShape {
    kit::UUID id;
    double startAngle = 0;
    double amount = 0;
    double insetAmount = 0;

    kit::Path path(const kit::Rect& rect) const
    {
        kit::Path path;
        if (const double radius = segmentRadius(rect) - insetAmount; radius > 0)
            path.addRelativeArc(segmentCentre(rect), radius, startAngle, amount);
        return path;
    }

    // A copy inset by a further `by`.
    DoughnutSegmentShape inset(double by) const
    {
        DoughnutSegmentShape shape = *this;
        shape.insetAmount += by;
        return shape;
    }
};

} // namespace charts
