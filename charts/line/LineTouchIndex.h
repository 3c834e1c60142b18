#pragma once

#include "charts/line/LineDataPoints.h"
#include "charts/line/LineGeometry.h"
#include "kit/base/Point.h"
#include "kit/base/Rect.h"

#include <cmath>
#include <cstddef>
#include <optional>
#include <vector>

namespace charts {

// The index of the point of a line of `count` points nearest a touch at x
// in a chart `width` wide: with step = width / (count − 1), the quotient
// (x + step / 2) / step truncated toward zero, so a touch halfway between
// two points takes the right-hand one and touches down to −1.5 steps left
// of the chart take the first. None when the line has fewer than two
// points, the width is not above 0, or the quotient is not a finite number
// or lies outside (−1, count).
inline std::optional<std::size_t> lineTouchIndex(std::size_t count, double width, double x)
{
    if (count < 2 || !(width > 0))
        return std::nullopt;
    const double step = width / static_cast<double>(count - 1);
    const double quotient = (x + step * 0.5) / step;
    if (!std::isfinite(quotient) || !(quotient > -1) || !(quotient < static_cast<double>(count)))
        return std::nullopt;
    return static_cast<std::size_t>(std::trunc(quotient) < 0 ? 0 : std::trunc(quotient));
}

// Where the touch marker of the point under a touch goes: the point's place
// in the line geometry, by the chart's lowest value and value range. None
// without a point under the touch, for a zero the line ignores, and for a
// value that cannot be drawn.
template <CTStandardDataPointProtocol DataPoint>
std::optional<kit::Point> lineTouchLocation(const std::vector<DataPoint>& dataPoints, bool ignoreZero,
                                            kit::Point touchLocation, const kit::Rect& chartSize, double minValue,
                                            double range)
{
    const auto index = lineTouchIndex(dataPoints.size(), chartSize.width(), touchLocation.x);
    if (!index)
        return std::nullopt;
    const double value = dataPoints[*index].value;
    if ((ignoreZero && value == 0) || !isDrawableValue(value))
        return std::nullopt;
    return LineGeometry(chartSize, dataPoints.size(), minValue, range).point(*index, value);
}

} // namespace charts
