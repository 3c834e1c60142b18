#pragma once

#include "charts/core/ViewForColourKind.h"
#include "kit/ui/ForEach.h"
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

// One element view per point of the chart's data set, identified by the
// point's id, all of the kind the bar style's colour calls for (see
// barElementFor); nothing at all when that colour lacks a member its kind
// needs.
template <template <class, class> class Colour, template <class, class> class Colours,
          template <class, class> class Stops, class ChartData>
kit::View barStyleElements(const std::shared_ptr<ChartData>& chartData)
{
    const ColourStyle& colour = chartData->barStyle->colour;
    if (!hasColourOfItsKind(colour))
        return kit::EmptyView();
    return kit::ForEach(chartData->dataSets->dataPoints, [&](const auto& point) {
        return *barElementFor<Colour, Colours, Stops>(chartData, point, colour);
    });
}

// One element view per point of the chart's data set, identified by the
// point's id, of the kind the point's own colour calls for; `missing(point)`
// for a point whose colour lacks a member its kind needs.
template <template <class, class> class Colour, template <class, class> class Colours,
          template <class, class> class Stops, class ChartData, class Missing>
kit::View dataPointElements(const std::shared_ptr<ChartData>& chartData, Missing missing)
{
    return kit::ForEach(chartData->dataSets->dataPoints, [&](const auto& point) {
        const std::optional<kit::View> bar = barElementFor<Colour, Colours, Stops>(chartData, point, point.colour);
        return bar ? *bar : kit::View(missing(point));
    });
}

} // namespace charts
