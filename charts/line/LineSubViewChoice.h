#pragma once

#include "charts/core/ColourStyle.h"
#include "charts/core/ColourStylePaint.h"
#include "charts/core/GradientStop.h"
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
kit::View lineSubView(const std::shared_ptr<ChartData>& chartData, const DataSet& dataSet, double minValue,
                      double range, bool isFilled)
{
    const ColourStyle& lineColour = dataSet.style.lineColour;
    if (!colourStylePaint(lineColour))
        return kit::EmptyView();
    switch (lineColour.colourType) {
    case ColourType::colour:
        return LineChartColourSubView<ChartData, DataSet>(chartData, dataSet, minValue, range, *lineColour.colour,
                                                          isFilled);
    case ColourType::gradientColour:
        return LineChartColoursSubView<ChartData, DataSet>(chartData, dataSet, minValue, range, *lineColour.colours,
                                                           *lineColour.startPoint, *lineColour.endPoint, isFilled);
    case ColourType::gradientStops:
        return LineChartStopsSubView<ChartData, DataSet>(chartData, dataSet, minValue, range,
                                                         GradientStop::convert(*lineColour.stops),
                                                         *lineColour.startPoint, *lineColour.endPoint, isFilled);
    }
    return kit::EmptyView();
}

} // namespace charts
