#pragma once

#include "charts/axes/AxisLabelPlacement.h"
#include "charts/bar/BarChartFrame.h"
#include "charts/bar/GroupedBarChartData.h"
#include "charts/bar/GroupedBars.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Stacks.h"

#include <concepts>
#include <memory>
#include <tuple>

namespace charts {

// A grouped bar chart: one group of bars per data set, groups side by side
// with `groupSpacing` between neighbours, the bars of a group touching. With
// n groups on a chart W wide each group is (W − groupSpacing × (n − 1)) / n
// wide and its m bars share that equally; each bar is barWidth of its share
// wide and value / maxValue of the chart's height high, in its group's
// colour, all drawn as the marks of one view (groupedBars). The row of groups is one
// accessibility element labelled with the chart's title. When the value
// axis reaches below 0 the chart is shrunk towards its top edge, like the
// standard bar chart.
//
// Made, it writes `groupSpacing` into the chart data, whose touch lookup
// reads it. A chart whose groups hold no point shows the no-data view. Each
// appearance writes the chart's frame into viewData.chartSize (a later
// resize does not) and posts layoutDidFinishNotification half a second
// later.
//
//   kit::View chart = charts::GroupedBarChart(chartData, 10);
template <class ChartData>
requires std::derived_from<ChartData, GroupedBarChartData>
struct GroupedBarChart {
    kit::State<std::shared_ptr<OwnedTimer>> timer;
    kit::ObservedObject<ChartData> chartData;
    kit::State<bool> startAnimation{false};
    double groupSpacing;

    GroupedBarChart(std::shared_ptr<ChartData> chartData, double groupSpacing)
        : chartData(std::move(chartData)), groupSpacing(groupSpacing)
    {
        this->chartData.object()->groupSpacing = groupSpacing;
    }

    auto dynamicFields() { return std::tie(timer, chartData, startAnimation); }

    kit::View body() const
    {
        const ChartData& data = *chartData;
        const std::shared_ptr<ChartData>& shared = chartData.object();
        const double spacing = groupSpacing;
        const std::string title = data.metadata->title;
        const kit::State<bool> started = startAnimation;
        const kit::View frame = barChartFrame(
            shared, anySetHasDataPoints(data), ChartSizeWrite::onAppear,
            [shared, spacing, title, started] {
                return groupedBars(shared, started, spacing)
                    .accessibilityElement(kit::AccessibilityChildBehavior::contain)
                    .accessibilityLabel(title);
            },
            timer, kit::AnyObject::box(copy()));
        return markedAsPlot(scaledForNegativeValues(frame, data), &data);
    }

private:
    // The chart as a value of its own, sharing no state with this node.
    GroupedBarChart copy() const
    {
        GroupedBarChart value = *this;
        value.timer = kit::State<std::shared_ptr<OwnedTimer>>();
        value.startAnimation = kit::State<bool>(false);
        return value;
    }
};

} // namespace charts
