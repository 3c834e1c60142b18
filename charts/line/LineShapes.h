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
    // Shared by the copies a view makes of the shape (trimmed, stroked,
    // kept by the host), so a line of thousands of points is copied once.
    std::shared_ptr<const std::vector<DataPoint>> dataPoints;
    LineType lineType = LineType::line;
    bool isFilled = false;
    double minValue = 0;
    double range = 0;
    bool ignoreZero = false;

    LineShape(std::vector<DataPoint> dataPoints, LineType lineType, bool isFilled, double minValue, double range,
              bool ignoreZero)
        : LineShape(std::make_shared<const std::vector<DataPoint>>(std::move(dataPoints)), lineType, isFilled, minValue,
                    range, ignoreZero)
    {
    }
    // The shape of points kept elsewhere (a data set the caller shares).
    LineShape(std::shared_ptr<const std::vector<DataPoint>> dataPoints, LineType lineType, bool isFilled,
              double minValue, double range, bool ignoreZero)
        : dataPoints(std::move(dataPoints)), lineType(lineType), isFilled(isFilled), minValue(minValue), range(range),
          ignoreZero(ignoreZero)
    {
    }

    kit::Path path(const kit::Rect& rect) const
    {
        return linePath(linePathPoints(*dataPoints), lineType, rect, minValue, range, isFilled, ignoreZero);
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
