#pragma once

#include "charts/core/ColourStylePaint.h"
#include "kit/ui/View.h"

#include <memory>
#include <optional>
#include <vector>

namespace charts {

// The element view of a bar in `style`'s kind of colour: Colour, Colours or
// Stops (three view templates over the chart data and point types, made
// from the chart data, the point and the colour's members), none when the
// style lacks a member its kind needs.
template <template <class, class> class Colour, template <class, class> class Colours,
          template <class, class> class Stops, class ChartData, class DataPoint>
std::optional<kit::View> barElementFor(const std::shared_ptr<ChartData>& chartData, const DataPoint& dataPoint,
                                       const ColourStyle& style)
{
    return viewForColourKind(
        style, [&](const kit::Color& c) { return Colour<ChartData, DataPoint>(chartData, dataPoint, c); },
        [&](const std::vector<kit::Color>& cs, kit::UnitPoint start, kit::UnitPoint end) {
            return Colours<ChartData, DataPoint>(chartData, dataPoint, cs, start, end);
        },
        [&](const std::vector<kit::Gradient::Stop>& stops, kit::UnitPoint start, kit::UnitPoint end) {
            return Stops<ChartData, DataPoint>(chartData, dataPoint, stops, start, end);
        });
}

} // namespace charts
