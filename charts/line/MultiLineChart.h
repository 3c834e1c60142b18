#pragma once

#include "charts/core/DataFunctions.h"
#include "charts/line/LineChartData.h"
#include "charts/line/LineChartView.h"
#include "charts/line/LineSubViews.h"
#include "kit/ui/ForEach.h"

#include <concepts>
#include <memory>

namespace charts {

// Several lines over one pair of axes: each inner data set stroked in its
// own style's colour kind and drawn in, identified by its id, all against
// one value scale over every line, taken once, when the view is made, and
// kept. Each line spans the whole width with its own point spacing. Needs
// one line of two points or more; otherwise the no-data view. Writes the
// measured frame and posts the layout notification as LineChart does.
//
//   kit::View chart = charts::MultiLineChart(chartData);
template <class ChartData>
requires std::derived_from<ChartData, MultiLineChartData>
struct MultiLineChart : LineChartView<MultiLineChart<ChartData>, ChartData> {
    double minValue = 0;
    double range = 0;

    explicit MultiLineChart(std::shared_ptr<ChartData> chartData)
        : LineChartView<MultiLineChart, ChartData>(std::move(chartData))
    {
        const ChartData& data = *this->chartData.object();
        minValue = data.minValue();
        range = data.range();
    }

    kit::View body() const
    {
        const ChartData& data = *this->chartData;
        return this->lineChartFrame(anySetHasMultipleDataPoints(data),
                                    [chart = this->chartData.object(), sets = data.dataSets->dataSets,
                                     minValue = minValue, range = range] {
                                        return kit::ForEach(sets, [&](const LineDataSet& set) {
                                            return lineSubView(chart, set, minValue, range, false);
                                        });
                                    });
    }
};

} // namespace charts
