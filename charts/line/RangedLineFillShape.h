#pragma once

#include "charts/core/ChartEnums.h"
#include "charts/line/LineDataPointProtocols.h"
#include "charts/line/LinePaths.h"
#include "kit/ui/Shape.h"

#include <vector>

namespace charts {

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
