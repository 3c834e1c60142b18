#pragma once

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

} // namespace charts
