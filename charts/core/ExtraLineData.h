#pragma once

#include "charts/core/ChartEnums.h"
#include "charts/core/ColourStyle.h"
#include "charts/core/CommonLineBarChartStyle.h"
#include "charts/core/Hasher.h"
#include "charts/core/MarkerTypes.h"
#include "charts/core/PointStyle.h"
#include "charts/core/Stroke.h"
#include "kit/base/Path.h"
#include "kit/base/Point.h"
#include "kit/base/Rect.h"
#include "kit/base/UUID.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace charts {

// One value of a chart's extra line, with its own marker colours and the
// description shown when it is touched.
struct ExtraLineDataPoint {
    kit::UUID id;
    double value;
    std::optional<PointColour> pointColour;
    std::optional<std::string> pointDescription;

    // A point with a fresh id.
    ExtraLineDataPoint(double value, std::optional<PointColour> pointColour,
                       std::optional<std::string> pointDescription)
        : value(value), pointColour(pointColour), pointDescription(std::move(pointDescription))
    {
    }

    friend bool operator==(const ExtraLineDataPoint&, const ExtraLineDataPoint&) = default;
};

// How a chart's extra line is drawn, spaced, marked and scaled. Its baseline
// and top line apply to the extra line alone, so a line of quite another
// magnitude still fills the chart's height.
struct ExtraLineStyle {
    // Where the points stand across the width: `line` puts the first at the
    // left edge and the last at the right edge; `bar` puts each in the middle
    // of one of n equal sections.
    enum class SpacingType { line, bar };
    // How the line comes into view: drawn along its length, or raised from
    // the bottom edge.
    enum class AnimationType { draw, raise };

    ColourStyle lineColour;
    LineType lineType;
    SpacingType lineSpacing;
    LineMarkerType markerType;
    Stroke strokeStyle;
    PointStyle pointStyle;
    std::optional<std::string> yAxisTitle;
    std::int64_t yAxisNumberOfLabels;
    AnimationType animationType;
    Baseline baseline;
    Topline topLine;
};

// The optional second line of a bar or line chart: its values, its style and
// its name (its legend text, and the legend tag of its touched points).
struct ExtraLineData {
    kit::UUID id;
    std::vector<ExtraLineDataPoint> dataPoints;
    ExtraLineStyle style;
    std::string legendTitle;

    // Makes a fresh id, then calls `dataPoints` and `style`, once each.
    ExtraLineData(std::string legendTitle, const std::function<std::vector<ExtraLineDataPoint>()>& dataPoints,
                  const std::function<ExtraLineStyle()>& style);

    // The smallest and the largest value; 0 for a line without points. Ties
    // keep the earlier value and a value that is not a number never replaces
    // the current one.
    double minValue() const;
    double maxValue() const;

    // The line's own value range, by its style's baseline and top line. The
    // drawing range is upper end − lower end + 1e-11, so a flat line never
    // divides by zero; nothing clamps a negative range.
    double lowerEnd() const;
    double upperEnd() const;
    double drawingRange() const;

    // The point under a touch, found by cutting the chart's width into one
    // section per point; none outside the sections, and none when the
    // section cannot be worked out (a chart without width).
    std::optional<ExtraLineDataPoint> extraLineTouchedPoint(kit::Point touchLocation, const kit::Rect& chartSize) const;

    // Where the point nearest the touch stands, always in the `line`
    // spacing; none outside the line, and none when the step between points
    // cannot be worked out (fewer than two points, a chart without width).
    std::optional<kit::Point> extraLinePointLocation(kit::Point touchLocation, const kit::Rect& chartSize) const;

    // Where the touch meets the drawn line (curves and steps included), for
    // the touch markers that attach to the line; none for a line without
    // length.
    std::optional<kit::Point> extraLinePositionOnLine(kit::Point touchLocation, const kit::Rect& chartSize) const;
};

// The path of an extra line inside `rect`, its values scaled by `lowerEnd`
// and `range` (value v stands at H − (v − lowerEnd) × H / range).
kit::Path extraLinePath(LineType lineType, ExtraLineStyle::SpacingType spacing,
                        const std::vector<ExtraLineDataPoint>& dataPoints, const kit::Rect& rect, double lowerEnd,
                        double range);
// The same path from the points' values alone, in drawing order.
kit::Path extraLineValuesPath(LineType lineType, ExtraLineStyle::SpacingType spacing, const std::vector<double>& values,
                              const kit::Rect& rect, double lowerEnd, double range);

// The share (0 to 1) of the path's length that lies left of location.x, the
// path measured along the straight chords of its elements; not a number for
// a path without length.
double pathLengthFraction(const kit::Path& path, kit::Point location);

// Where a line's touch marker sits on the drawn path: the centre of the
// bounds of the path's piece from `fraction` to 0.001 past it (the last
// 0.001 past 0.999), in shares of the path's arc length. None when that
// piece is empty: a path without length, or a fraction that is not a number.
std::optional<kit::Point> pathPointNearFraction(const kit::Path& path, double fraction);

} // namespace charts

template <>
struct std::hash<charts::ExtraLineDataPoint> {
    std::size_t operator()(const charts::ExtraLineDataPoint& p) const
    {
        return charts::hashValues(p.id, p.value, p.pointColour, p.pointDescription);
    }
};
