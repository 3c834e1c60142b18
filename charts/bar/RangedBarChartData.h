#pragma once

#include "charts/bar/BarChartDataProtocols.h"
#include "charts/bar/CommonBarChartData.h"
#include "charts/bar/RangedBarDataSet.h"

namespace charts {

// The chart data of a ranged (floating) bar chart: one data set, one bar
// per point spanning from its lower to its upper value, each in an equal
// section of the chart's width. Its value axis runs from the smallest lower
// to the largest upper value (under the style's baseline and top line); a
// touched bar's marker stands in the middle of the bar.
class RangedBarChartData
    : public CommonBarChartData<RangedBarChartData,
                                CTRangedBarChartDataProtocol<RangedBarDataSet, RangedBarDataSet, RangedBarDataPoint,
                                                             BarChartStyle, BarStyle>> {
public:
    // The common initialization, then the legend (rangedBarLegendSetup).
    RangedBarChartData(RangedBarDataSet dataSets, ChartMetadata metadata,
                       std::optional<std::vector<std::string>> xAxisLabels,
                       std::optional<std::vector<std::string>> yAxisLabels, BarStyle barStyle, BarChartStyle chartStyle,
                       kit::View noDataText);

    // The legend of a ranged chart: as barLegendSetup, over its ranges.
    void rangedBarLegendSetup() { barLegendSetup(); }

    // The mean of the bars' midpoints: (mean upper value + mean lower value)
    // × 0.5; not a number without points.
    double average() const;

    // The bar whose section holds the touch's x becomes the touched point,
    // tagged with the set's legend title (recordTouchedPoint); the extra
    // line's point follows as a range of its one value, shown as that value.
    void touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize) override;
    // The middle of the touched bar: the centre of its section, halfway
    // between its lower and upper value on this chart's value range (a
    // range of 0 gives a coordinate that is not finite).
    std::optional<kit::Point> touchPointLocation(const RangedBarDataSet& dataSet, kit::Point touchLocation,
                                                 const kit::Rect& chartSize) const override;
    // The points' labels, each in its own equal slot of the measured width
    // (TempText; a point without a label or with an empty one leaves its
    // slot empty), or the chart's own labels.
    kit::View xAxisLabelsView() const override;
};

} // namespace charts
