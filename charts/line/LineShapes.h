#pragma once

// The shapes of a line chart's data: the line through the points' values and
// the band of a ranged line; both build geometry only (linePath, bandPath).

#include "charts/core/ChartEnums.h"
#include "charts/line/LineDataPoints.h"
#include "charts/line/LinePaths.h"
#include "kit/ui/Shape.h"

#include <memory>
#include <vector>

namespace charts {

// The shape of one line through its points' values: open, or closed down to
// the bottom edge when `isFilled`, passing over zeros when `ignoreZero`
// (linePath). It only builds geometry; colour, stroke, trimming and scaling
// come from the views that draw it.
template <class DataPoint>
requires CTStandardDataPointProtocol<DataPoint> && IgnoreMe<DataPoint>
struct LineShape : kit::ShapeBase<LineShape<DataPoint>> {
    // What the line reads of its points (their values and whether each is
    // left out), taken when the shape is made and shared by the copies a view
    // makes of it (trimmed, stroked, kept by the host): a line of thousands of
    // points takes 16 bytes a point, once, whatever else its points hold.
    std::shared_ptr<const std::vector<LinePathPoint>> dataPoints;
    LineType lineType = LineType::line;
    bool isFilled = false;
    double minValue = 0;
    double range = 0;
    bool ignoreZero = false;

    LineShape(const std::vector<DataPoint>& dataPoints, LineType lineType, bool isFilled, double minValue, double range,
              bool ignoreZero)
        : dataPoints(std::make_shared<const std::vector<LinePathPoint>>(linePathPoints(dataPoints, ignoreZero))),
          lineType(lineType), isFilled(isFilled), minValue(minValue), range(range), ignoreZero(ignoreZero)
    {
    }

    // The shape of what was taken of points already (shared, not copied).
    LineShape(std::shared_ptr<const std::vector<LinePathPoint>> dataPoints, LineType lineType, bool isFilled,
              double minValue, double range, bool ignoreZero)
        : dataPoints(std::move(dataPoints)), lineType(lineType), isFilled(isFilled), minValue(minValue), range(range),
          ignoreZero(ignoreZero)
    {
    }

    kit::Path path(const kit::Rect& rect) const
    {
        return linePath(*dataPoints, lineType, rect, minValue, range, isFilled, ignoreZero);
    }

    // Equal shapes have the same path, which the host then keeps between
    // frames instead of making (and measuring) it again.
    friend bool operator==(const LineShape& a, const LineShape& b)
    {
        return a.lineType == b.lineType && a.isFilled == b.isFilled && a.minValue == b.minValue && a.range == b.range &&
               a.ignoreZero == b.ignoreZero && (a.dataPoints == b.dataPoints || *a.dataPoints == *b.dataPoints);
    }
};

// The band of a ranged line, between its points' upper and lower values
// (bandPath); always a band to fill, passing over points of value 0 when
// `ignoreZero`.
template <CTRangedLineDataPoint DataPoint>
struct RangedLineFillShape : kit::ShapeBase<RangedLineFillShape<DataPoint>> {
    std::vector<DataPoint> dataPoints;
    LineType lineType = LineType::line;
    double minValue = 0;
    double range = 0;
    bool ignoreZero = false;

    RangedLineFillShape(std::vector<DataPoint> dataPoints, LineType lineType, double minValue, double range,
                        bool ignoreZero)
        : dataPoints(std::move(dataPoints)), lineType(lineType), minValue(minValue), range(range),
          ignoreZero(ignoreZero)
    {
    }

    kit::Path path(const kit::Rect& rect) const
    {
        return bandPath(bandPathPoints(dataPoints), lineType, rect, minValue, range, ignoreZero);
    }
};

} // namespace charts
