#pragma once

#include "kit/base/Point.h"
#include "kit/base/Rect.h"

#include <algorithm>
#include <cmath>

namespace charts {

// The centre of a pie or doughnut drawn in `rect`, from its width and height
// only: segments, labels and touches all work in the rectangle's own
// coordinates.
inline kit::Point segmentCentre(const kit::Rect& rect)
{
    return {rect.width() * 0.5, rect.height() * 0.5};
}

// The radius of the largest circle that fits `rect`.
inline double segmentRadius(const kit::Rect& rect)
{
    return std::min(rect.width(), rect.height()) * 0.5;
}

// Where the label of a segment goes: on the line from the centre through the
// middle of the segment (startAngle + amount / 2), rFactor times the radius
// from the centre (1 on the rim, 0.5 halfway). Worked out in degrees.
inline kit::Point segmentLabelPoint(double startAngle, double amount, double rFactor, const kit::Rect& rect)
{
    constexpr double degreesPerRadian = 57.29577951308232;
    const kit::Point centre = segmentCentre(rect);
    const double r = segmentRadius(rect) * rFactor;
    const double start = startAngle * degreesPerRadian + 90;
    const double end = start + amount * degreesPerRadian;
    const double middle = (start + end) * 0.5 - 90;
    const double a = middle * 3.141592653589793 / 180;
    return {centre.x + std::cos(a) * r, centre.y + std::sin(a) * r};
}

} // namespace charts
