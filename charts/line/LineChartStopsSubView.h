#pragma once

#include "charts/line/LineSubView.h"
#include "kit/base/Gradient.h"
#include "kit/base/UnitPoint.h"

#include <memory>
#include <tuple>
#include <vector>

namespace charts {

// One line of a line chart in a linear gradient of stops (the toolkit's,
// converted by the chart view from the style's GradientStops) from
// `startPoint` to `endPoint` of the chart's frame: stroked and drawn in, or
// filled and risen from the bottom edge when `isFilled` (lineSubViewBody).
// The chart data is not observed: the sub-view redraws with the chart view
// that made it.
template <LineChartDataObject ChartData, LineShapeDataSet DataSet>
struct LineChartStopsSubView : kit::ViewMethods<LineChartStopsSubView<ChartData, DataSet>> {
    std::shared_ptr<ChartData> chartData;
    // Shared by the copies the view layer makes of the view: a line of
    // thousands of points is not copied with it.
    std::shared_ptr<const DataSet> dataSet;
    double minValue = 0;
    double range = 0;
    std::vector<kit::Gradient::Stop> stops;
    kit::UnitPoint startPoint;
    kit::UnitPoint endPoint;
    bool isFilled = false;
    kit::State<bool> startAnimation{false};

    LineChartStopsSubView(std::shared_ptr<ChartData> chartData, std::shared_ptr<const DataSet> dataSet, double minValue,
                          double range, std::vector<kit::Gradient::Stop> stops, kit::UnitPoint startPoint,
                          kit::UnitPoint endPoint, bool isFilled)
        : chartData(std::move(chartData)), dataSet(std::move(dataSet)), minValue(minValue), range(range),
          stops(std::move(stops)), startPoint(startPoint), endPoint(endPoint), isFilled(isFilled)
    {
    }

    auto dynamicFields() { return std::tie(startAnimation); }

    kit::View body() const
    {
        const kit::Paint paint = kit::LinearGradient{kit::Gradient(stops), startPoint, endPoint};
        return lineSubViewBody(chartData, dataSet, minValue, range, paint, isFilled, startAnimation);
    }
};

} // namespace charts
