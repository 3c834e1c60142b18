#pragma once

#include "kit/base/Path.h"
#include "kit/base/Rect.h"
#include "kit/base/UUID.h"

namespace charts {

// One slice of a doughnut: an open arc about the centre of the rectangle
// (its width and height only) with radius half the smaller side less
// insetAmount, meant to be stroked into a ring segment. Angles are not
// animated.
struct DoughnutSegmentShape {
    kit::UUID id;
    double startAngle = 0;
    double amount = 0;
    double insetAmount = 0;

    // No arc at all once the inset leaves no positive radius.
    kit::Path path(const kit::Rect& rect) const;

    // A copy inset by a further `amount`.
    DoughnutSegmentShape inset(double by) const
    {
        DoughnutSegmentShape shape = *this;
        shape.insetAmount += by;
        return shape;
    }
};

} // namespace charts
