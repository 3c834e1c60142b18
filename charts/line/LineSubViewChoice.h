#pragma once

#include "charts/core/ColourStylePaint.h"
#include "charts/line/LineChartColourSubView.h"
#include "charts/line/LineChartColoursSubView.h"
#include "charts/line/LineChartStopsSubView.h"
#include "kit/ui/View.h"

#include <memory>

namespace charts {

// The sub-view that draws `dataSet` in its style's line colour, chosen by
// its colour kind: LineChartColourSubView for a flat colour,
// LineChartColoursSubView for a gradient of colours, LineChartStopsSubView
// for a gradient of stops (converted to the toolkit's stops, in order).
// Nothing when a member that kind needs is missing: no fallback colour.
template <LineChartDataObject ChartData, LineShapeDataSet DataSet>
kit::View lineSubView(const std::shared_ptr<ChartData>& chartData, const std::shared_ptr<const DataSet>& dataSet,
                      double minValue, double range, bool isFilled)
{
    return viewForColourKind(
               dataSet->style.lineColour,
               [&](const kit::Color& colour) {
                   return LineChartColourSubView<ChartData, DataSet>(chartData, dataSet, minValue, range, colour,
                                                                     isFilled);
               },
               [&](const std::vector<kit::Color>& colours, kit::UnitPoint start, kit::UnitPoint end) {
                   return LineChartColoursSubView<ChartData, DataSet>(chartData, dataSet, minValue, range, colours,
                                                                      start, end, isFilled);
               },
               [&](const std::vector<kit::Gradient::Stop>& stops, kit::UnitPoint start, kit::UnitPoint end) {
                   return LineChartStopsSubView<ChartData, DataSet>(chartData, dataSet, minValue, range, stops, start,
                                                                    end, isFilled);
               })
        .value_or(kit::EmptyView());
}

// The same for a set of the caller's, copied once for the sub-view.
template <LineChartDataObject ChartData, LineShapeDataSet DataSet>
kit::View lineSubView(const std::shared_ptr<ChartData>& chartData, const DataSet& dataSet, double minValue,
                      double range, bool isFilled)
{
    return lineSubView(chartData, std::make_shared<const DataSet>(dataSet), minValue, range, isFilled);
}

} // namespace charts
