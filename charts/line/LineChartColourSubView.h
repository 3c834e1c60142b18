#pragma once

#include "charts/line/LineSubView.h"
#include "kit/base/Color.h"

#include <memory>
#include <tuple>

namespace charts {

// One line of a line chart in one colour: stroked and drawn in, or filled
// and risen from the bottom edge when `isFilled` (lineSubViewBody). The chart
// data is not observed: the sub-view redraws with the chart view that made it.
template <LineChartDataObject ChartData, LineShapeDataSet DataSet>
struct LineChartColourSubView : kit::ViewMethods<LineChartColourSubView<ChartData, DataSet>> {
    std::shared_ptr<ChartData> chartData;
    // Shared by the copies the view layer makes of the view: a line of
    // thousands of points is not copied with it.
    std::shared_ptr<const DataSet> dataSet;
    double minValue = 0;
    double range = 0;
    kit::Color colour;
    bool isFilled = false;
    kit::State<bool> startAnimation{false};

    LineChartColourSubView(std::shared_ptr<ChartData> chartData, std::shared_ptr<const DataSet> dataSet,
                           double minValue, double range, kit::Color colour, bool isFilled)
        : chartData(std::move(chartData)), dataSet(std::move(dataSet)), minValue(minValue), range(range),
          colour(colour), isFilled(isFilled)
    {
    }

    auto dynamicFields() { return std::tie(startAnimation); }

    kit::View body() const
    {
        return lineSubViewBody(chartData, dataSet, minValue, range, kit::Paint(colour), isFilled, startAnimation);
    }
};

} // namespace charts
