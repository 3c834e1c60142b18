#pragma once

#include "charts/bar/BarElements.h"
#include "charts/bar/BarSeries.h"
#include "charts/bar/GroupedBarDataSets.h"
#include "charts/core/ColourStylePaint.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/State.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace charts {

// The bars of a grouped bar chart: as the chart draws them, the marks of one
// view (groupedBars), and as element views of their own, one group
// (GroupedBarGroup) of cells (GroupedBarCell).

// The bars of a grouped bar chart as the marks of one view (barSeries): one
// group per data set, side by side with `groupSpacing` between neighbours,
// sharing the chart's width as a row of the groups' rows would (a group
// without a bar takes no room but keeps its spacing); within a group the
// bars that have a colour of their group's kind touch and share the
// group's width equally (a bar without one takes no room). Each bar is
// barWidth of its share wide and value / maxValue of the chart's height
// high, in its group's colour, and carries its group's title and its value
// text for accessibility.
template <class ChartData>
kit::View groupedBars(const std::shared_ptr<ChartData>& chartData, const kit::State<bool>& started, double groupSpacing)
{
    const ChartData& data = *chartData;
    std::vector<const GroupedBarDataPoint*> points;
    std::vector<std::pair<std::size_t, std::size_t>> places; // of each point: its set and its place there
    std::vector<std::size_t> groupEnds;                      // past the group's last point in `points`
    const auto& sets = data.dataSets->dataSets;
    for (std::size_t s = 0; s < sets.size(); ++s) {
        for (std::size_t k = 0; k < sets[s].dataPoints.size(); ++k) {
            points.push_back(&sets[s].dataPoints[k]);
            places.emplace_back(s, k);
        }
        groupEnds.push_back(points.size());
    }
    const double highest = data.maxValue();
    const double barWidth = data.barStyle->barWidth;
    const auto slotsOf = [groupEnds, groupSpacing](kit::Size size, const std::vector<bool>& hasBar) {
        std::vector<bool> groupHasBar;
        std::size_t begin = 0;
        for (std::size_t end : groupEnds) {
            groupHasBar.push_back(std::find(hasBar.begin() + std::ptrdiff_t(begin),
                                            hasBar.begin() + std::ptrdiff_t(end),
                                            true) != hasBar.begin() + std::ptrdiff_t(end));
            begin = end;
        }
        const std::vector<ValueSpan> groups = stackSlots(size.width, groupHasBar,
                                                         clusterSpacing(groupSpacing, size.width, groupEnds.size()));
        std::vector<kit::Rect> rects(hasBar.size());
        begin = 0;
        for (std::size_t g = 0; g < groupEnds.size(); ++g) {
            const std::vector<bool> inGroup(hasBar.begin() + std::ptrdiff_t(begin),
                                            hasBar.begin() + std::ptrdiff_t(groupEnds[g]));
            const std::vector<ValueSpan> bars = stackSlots(groups[g].length, inGroup, 0);
            for (std::size_t k = 0; k < bars.size(); ++k)
                rects[begin + k] = kit::Rect(groups[g].start + bars[k].start, 0, bars[k].length, size.height);
            begin = groupEnds[g];
        }
        return rects;
    };
    return barSeries(
        chartData, points, started, slotsOf,
        [](const GroupedBarDataPoint& point) { return colourStylePaint(point.group.colour); },
        [highest, barWidth](const GroupedBarDataPoint& point, bool shown) {
            return SlotBarPlacer{.fraction = barFraction(point.value, highest),
                                 .barWidth = barWidth,
                                 .shown = shown,
                                 .axis = kit::Axis::vertical};
        },
        [chartData, places = std::move(places)](std::size_t i) {
            // Read when asked for: the chart's sets as they are then.
            const auto& sets = chartData->dataSets->dataSets;
            const auto [s, k] = places[i];
            if (s >= sets.size() || k >= sets[s].dataPoints.size())
                return kit::AccessibilityElementContent{};
            const GroupedBarDataPoint& point = sets[s].dataPoints[k];
            return barElement(*chartData, point, point.group.title);
        });
}

// One bar of a grouped bar chart: the vertical element view of the kind its
// group's colour calls for, labelled for accessibility with the group's
// title; nothing when that colour lacks a member its kind needs. Holds the
// chart data without observing it: it is redrawn with its chart.
template <class ChartData>
struct GroupedBarCell {
    std::shared_ptr<ChartData> chartData;
    GroupedBarDataPoint dataPoint;

    kit::View body() const
    {
        const std::optional<kit::View> bar = barElementFor<kit::Axis::vertical>(chartData, dataPoint,
                                                                                dataPoint.group.colour);
        return kit::Group({bar ? bar->accessibilityLabel(dataPoint.group.title) : kit::EmptyView()});
    }
};

// One group of a grouped bar chart: its bars side by side with no gaps,
// sharing the group's width equally, each identified by its point's id.
// Holds the chart data without observing it: it is redrawn with its chart.
template <class ChartData>
struct GroupedBarGroup {
    std::shared_ptr<ChartData> chartData;
    GroupedBarDataSet dataSet;

    kit::View body() const
    {
        return kit::HStack(kit::VerticalAlignment::center, 0,
                           {kit::ForEach(dataSet.dataPoints, [&](const GroupedBarDataPoint& point) {
                               return GroupedBarCell<ChartData>{chartData, point};
                           })});
    }
};

} // namespace charts
