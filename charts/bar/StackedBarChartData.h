#pragma once

#include "charts/bar/BarChartDataProtocols.h"
#include "charts/bar/BarGeometry.h"
#include "charts/bar/CommonBarChartData.h"
#include "charts/bar/StackedBarDataSets.h"

#include <utility>

namespace charts {

// The chart data of a stacked bar chart: one column per stack, in equal
// sections of the chart's width, each segment coloured by its group. A
// column stands for its stack's total on the chart's value range, shared
// among the segments in proportion to their values from the bottom up (the
// first point lowest). The legend lists the groups.
class StackedBarChartData
    : public CommonBarChartData<StackedBarChartData,
                                CTMultiBarChartDataProtocol<StackedBarDataSets, StackedBarDataSets, StackedBarDataPoint,
                                                            BarChartStyle, BarStyle>> {
public:
    // A touched segment: its index in the stack and the height of its top
    // above the chart's bottom edge.
    struct SegmentTop {
        std::size_t index;
        double top;
    };

    // The common initialization with the groups, then the legend
    // (multiBarLegendSetup).
    StackedBarChartData(StackedBarDataSets dataSets, std::vector<GroupingData> groups, ChartMetadata metadata,
                        std::optional<std::vector<std::string>> xAxisLabels,
                        std::optional<std::vector<std::string>> yAxisLabels, BarStyle barStyle,
                        BarChartStyle chartStyle, kit::View noDataText);

    // The segment under the touch in the column under the touch's x becomes
    // the touched point, tagged with its stack's title (recordTouchedPoint);
    // a touch beside or above the columns changes nothing.
    void touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize) override;
    // The middle of the touched column, at the top edge of the touched segment.
    std::optional<kit::Point> touchPointLocation(const StackedBarDataSets& dataSet, kit::Point touchLocation,
                                                 const kit::Rect& chartSize) const override;
    // One label cell per stack (its title), or one per label of the chart's
    // own, each as wide as the widest measured label.
    kit::View xAxisLabelsView() const override;
    // Every entry coloured like the first touched segment's group, while the
    // touch lasts.
    bool isBarLegendTouched(const LegendData& legend) const override;

    // The segment of `stack` that a touch at the given height meets, and the
    // tops of all its segments. Segment k is value[k] / sum of that stack's
    // total share of the chart's height (total / highest value × h), its top
    // the sum of the heights up to it. The touch's distance from the bottom
    // edge (a touch below the chart measured alike) meets the first segment
    // whose top lies strictly above it. A stack whose values add up to 0 is
    // met nowhere.
    std::pair<std::optional<SegmentTop>, std::vector<double>>
    touchedSegment(const StackedBarDataSet& stack, kit::Point touchLocation, const kit::Rect& chartSize) const;

private:
    // The touched column and segment.
    struct TouchedSegment {
        BarSection column;
        SegmentTop segment;
    };
    std::optional<TouchedSegment> touched(const StackedBarDataSets& dataSet, kit::Point touchLocation,
                                          const kit::Rect& chartSize) const;
};

} // namespace charts
