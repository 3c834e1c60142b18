#pragma once

#include "charts/core/ChartEnums.h"
#include "charts/core/ExtraLineData.h"
#include "kit/base/Path.h"
#include "kit/base/Rect.h"
#include "kit/ui/Shape.h"

#include <vector>

namespace charts {

// The outline of a chart's extra line across the plotting rectangle:
// straight, curved or stepped through its values, spaced like a line
// chart's points (first on the left edge, last on the right edge) or like
// the centres of a bar chart's bars. A value v stands at
// H − (v − minValue) × H / range, nothing clamped; the rectangle's origin is
// never added. Nothing animates through the shape itself: a change replaces
// the path at once.
struct ExtraLineShape : kit::ShapeBase<ExtraLineShape> {
    std::vector<double> dataPoints;
    LineType lineType = LineType::line;
    ExtraLineStyle::SpacingType lineSpacing = ExtraLineStyle::SpacingType::line;
    double range = 0;
    double minValue = 0;

    ExtraLineShape(std::vector<double> dataPoints, LineType lineType, ExtraLineStyle::SpacingType lineSpacing,
                   double range, double minValue)
        : dataPoints(std::move(dataPoints)), lineType(lineType), lineSpacing(lineSpacing), range(range),
          minValue(minValue)
    {
    }

    kit::Path path(const kit::Rect& rect) const;
};

} // namespace charts
