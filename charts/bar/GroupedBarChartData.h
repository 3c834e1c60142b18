#pragma once

#include "charts/bar/BarChartDataProtocols.h"
#include "charts/bar/CommonBarChartData.h"
#include "charts/bar/GroupedBarDataSets.h"

namespace charts {

// The chart data of a grouped bar chart: one cluster of adjacent bars per
// data set, each bar coloured by its group. With n clusters on a chart W
// wide and `groupSpacing` s between neighbouring clusters, each cluster is
// c = W/n − (n − 1)·s/n wide, cluster k starts at k·(c + s), and its m bars
// share its width evenly. The legend lists the groups.
class GroupedBarChartData
    : public CommonBarChartData<GroupedBarChartData,
                                CTMultiBarChartDataProtocol<GroupedBarDataSets, GroupedBarDataSets, GroupedBarDataPoint,
                                                            BarChartStyle, BarStyle>> {
public:
    // The gap between neighbouring clusters, in points: 0 until the grouped
    // bar chart view sets its spacing. A plain field: setting it announces
    // nothing.
    double groupSpacing = 0;

    // The common initialization with the groups, then the legend
    // (multiBarLegendSetup).
    GroupedBarChartData(GroupedBarDataSets dataSets, std::vector<GroupingData> groups, ChartMetadata metadata,
                        std::optional<std::vector<std::string>> xAxisLabels,
                        std::optional<std::vector<std::string>> yAxisLabels, BarStyle barStyle,
                        BarChartStyle chartStyle, kit::View noDataText);

    // The bar under the touch's x becomes the touched point, tagged with its
    // cluster's title (recordTouchedPoint). A touch in a gap between
    // clusters, beyond them, over an empty cluster or on a chart of zero
    // width changes nothing.
    void touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize) override;
    // The centre of the touched bar, at its top on this chart's value range.
    std::optional<kit::Point> touchPointLocation(const GroupedBarDataSets& dataSet, kit::Point touchLocation,
                                                 const kit::Rect& chartSize) const override;
    // One label cell per cluster (its title), as wide as a cluster, or one
    // per label of the chart's own; flexible gaps only between neighbours.
    kit::View xAxisLabelsView() const override;
    // Every entry coloured like the first touched bar's group, while the
    // touch lasts.
    bool isBarLegendTouched(const LegendData& legend) const override;

private:
    // The bar under a touch: cluster and bar index, the section width W/n
    // and the bar width.
    struct TouchedBar {
        std::size_t set;
        std::size_t bar;
        double section;
        double barWidth;
    };
    std::optional<TouchedBar> touchedBar(const GroupedBarDataSets& dataSet, kit::Point touchLocation,
                                         const kit::Rect& chartSize) const;
};

} // namespace charts
