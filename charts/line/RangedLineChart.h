#pragma once

#include "charts/core/ColourStylePaint.h"
#include "charts/core/DataFunctions.h"
#include "charts/line/LineChartData.h"
#include "charts/line/LineChartView.h"
#include "charts/line/LineShapes.h"
#include "charts/line/LineSubViews.h"
#include "kit/ui/Shape.h"
#include "kit/ui/Stacks.h"

#include <concepts>
#include <memory>

namespace charts {

// A line over a band: the band between each point's lower and upper value,
// filled in the style's fill colour kind and shown complete at once, and
// over it the line through the points' values, stroked in the line colour
// kind and drawn in. Both against the chart's lowest value and value range
// as they stand at each redraw. Either layer is left out when its colour
// lacks a member its kind needs. Needs two points; otherwise the no-data
// view. Writes the measured frame and posts the layout notification as
// LineChart does.
//
//   kit::View chart = charts::RangedLineChart(chartData);
template <class ChartData>
requires std::derived_from<ChartData, RangedLineChartData>
struct RangedLineChart : LineChartView<RangedLineChart<ChartData>, ChartData> {
    explicit RangedLineChart(std::shared_ptr<ChartData> chartData)
        : LineChartView<RangedLineChart, ChartData>(std::move(chartData))
    {
    }

    kit::View body() const
    {
        const ChartData& data = *this->chartData;
        return this->lineChartFrame(hasMultipleDataPoints(data), [chart = this->chartData.object(),
                                                                  set = std::make_shared<const RangedLineDataSet>(
                                                                      *data.dataSets),
                                                                  minValue = data.minValue(), range = data.range()] {
            return kit::Group({band(*set, minValue, range), lineSubView(chart, set, minValue, range, false)});
        });
    }

private:
    static kit::View band(const RangedLineDataSet& set, double minValue, double range)
    {
        const auto paint = colourStylePaint(set.style.fillColour);
        if (!paint)
            return kit::EmptyView();
        return RangedLineFillShape<RangedLineChartDataPoint>(set.dataPoints, set.style.lineType, minValue, range,
                                                             set.style.ignoreZero)
            .fill(*paint);
    }
};

} // namespace charts
