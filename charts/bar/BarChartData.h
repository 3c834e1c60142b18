#pragma once

#include "charts/bar/BarChartDataProtocols.h"
#include "charts/bar/BarDataSet.h"
#include "charts/bar/CommonBarChartData.h"

namespace charts {

// The chart data of a standard vertical bar chart: one data set, one bar
// per point, each in an equal section of the chart's width. A touch finds
// the bar whose section holds the touch's x; its marker stands at the
// middle of the section, at the top of the bar.
//
//   auto data = std::make_shared<charts::BarChartData>(set, metadata, labels, std::nullopt, barStyle, style, kit::Text("No data"));
class BarChartData
    : public CommonBarChartData<
          BarChartData, CTBarChartDataProtocol<BarDataSet, BarDataSet, BarChartDataPoint, BarChartStyle, BarStyle>> {
public:
    // The common initialization, then the legend (barLegendSetup).
    BarChartData(BarDataSet dataSets, ChartMetadata metadata, std::optional<std::vector<std::string>> xAxisLabels,
                 std::optional<std::vector<std::string>> yAxisLabels, BarStyle barStyle, BarChartStyle chartStyle,
                 kit::View noDataText);

    // The bar whose section holds the touch's x becomes the touched point
    // (recordTouchedPoint, tagged with the set's legend title); a touch
    // outside the sections, on a chart of zero width or without bars
    // changes nothing and sends nothing.
    void touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize) override;
    // The middle of the touched bar's section, at the top of the bar on
    // this chart's value range; none where no bar is touched.
    std::optional<kit::Point> touchPointLocation(const BarDataSet& dataSet, kit::Point touchLocation,
                                                 const kit::Rect& chartSize) const override;
    // One label cell per bar (its x-axis label), as wide as the chart's
    // section, between two flexible gaps; or the chart's own labels.
    kit::View xAxisLabelsView() const override;
    // The entry with the first touched bar's id, while the touch lasts.
    bool isBarLegendTouched(const LegendData& legend) const override;
};

} // namespace charts
