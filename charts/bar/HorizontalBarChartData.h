#pragma once

#include "charts/bar/BarChartDataProtocols.h"
#include "charts/bar/BarDataSet.h"
#include "charts/bar/CommonBarChartData.h"

namespace charts {

// The chart data of a horizontal bar chart: one data set, one bar per
// point, the points in equal bands from top to bottom, each bar's value
// measured along the width from the leading edge. The axes swap roles: the
// value labels run along the horizontal axis (xAxisLabelsView), the
// points' category labels down the vertical axis (yAxisLabelsView). Its
// legend is that of a BarChartData made from the same arguments.
class HorizontalBarChartData
    : public CommonBarChartData<
          HorizontalBarChartData,
          CTHorizontalBarChartDataProtocol<BarDataSet, BarDataSet, BarChartDataPoint, BarChartStyle, BarStyle>> {
public:
    // The common initialization, then the legend (barLegendSetup).
    HorizontalBarChartData(BarDataSet dataSets, ChartMetadata metadata,
                           std::optional<std::vector<std::string>> xAxisLabels,
                           std::optional<std::vector<std::string>> yAxisLabels, BarStyle barStyle,
                           BarChartStyle chartStyle, kit::View noDataText);

    // The bar whose band holds the touch's y (its x plays no part) becomes
    // the touched point, tagged with the set's legend title
    // (recordTouchedPoint); the extra line's point is still found by x.
    void touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize) override;
    // The end of the touched bar, in the middle of its band, measured from
    // the chart's top-leading corner.
    std::optional<kit::Point> touchPointLocation(const BarDataSet& dataSet, kit::Point touchLocation,
                                                 const kit::Rect& chartSize) const override;
    // The value labels from left to right (yAxisLabelValues, in the layout
    // record's y-axis format) with flexible gaps between them; each records
    // its height in the x-axis label heights as it appears.
    kit::View xAxisLabelsView() const override;
    std::pair<double, double> xAxisLabelOverhang() const override;
    // The category labels from top to bottom, one per point
    // (HorizontalRotatedText) or one per label of the chart's own, each
    // between two flexible band gaps, and the room of the x-axis labels and
    // title kept free at the top or bottom.
    kit::View yAxisLabelsView() const override;
    // Kept inside the chart vertically (infoBoxVerticalPosition).
    double infoBoxPosition(double touch, const kit::Rect& box, const kit::Rect& chart) const override;
};

} // namespace charts
