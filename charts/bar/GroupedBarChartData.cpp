#include "charts/bar/GroupedBarChartData.h"

#include "charts/bar/BarGeometry.h"
#include "charts/bar/BarXAxisLabels.h"

#include <algorithm>

namespace charts {

GroupedBarChartData::GroupedBarChartData(GroupedBarDataSets dataSets, std::vector<GroupingData> groups,
                                         ChartMetadata metadata, std::optional<std::vector<std::string>> xAxisLabels,
                                         std::optional<std::vector<std::string>> yAxisLabels, BarStyle barStyle,
                                         BarChartStyle chartStyle, kit::View noDataText)
    : CommonBarChartData(std::move(dataSets), std::move(metadata), std::move(xAxisLabels), std::move(yAxisLabels),
                         std::move(barStyle), std::move(chartStyle), std::move(noDataText), std::move(groups))
{
}

// The cluster is estimated twice: by sections of W/n, and by clusters of c
// with the spacing taken out before each. A touch in a gap between clusters
// makes the two disagree and finds nothing.
std::optional<GroupedBarChartData::TouchedBar> GroupedBarChartData::touchedBar(const GroupedBarDataSets& dataSet,
                                                                               kit::Point touchLocation,
                                                                               const kit::Rect& chartSize) const
{
    const double n = static_cast<double>(dataSet.dataSets.size());
    const double s = clusterSpacing(groupSpacing, chartSize.width(), dataSet.dataSets.size());
    const double section = chartSize.width() / n;
    const std::optional<std::int64_t> k = positionIndex(touchLocation.x / section);
    if (!k)
        return std::nullopt;
    const double clusterWidth = section - s * (n - 1) / n;
    const double fromCluster = touchLocation.x - s * static_cast<double>(*k);
    const std::optional<std::int64_t> j = positionIndex(fromCluster / clusterWidth);
    if (!j || *j < 0 || *j >= static_cast<std::int64_t>(dataSet.dataSets.size()) || *j != *k)
        return std::nullopt;
    const std::size_t m = dataSet.dataSets[std::size_t(*k)].dataPoints.size();
    const double barWidth = clusterWidth / static_cast<double>(m);
    const std::optional<std::int64_t> t = positionIndex(fromCluster / barWidth);
    if (!t)
        return std::nullopt;
    const std::int64_t b = *t - static_cast<std::int64_t>(m) * *k;
    if (b < 0 || b >= static_cast<std::int64_t>(m))
        return std::nullopt;
    return TouchedBar{.set = std::size_t(*k), .bar = std::size_t(b), .section = section, .barWidth = barWidth};
}

void GroupedBarChartData::touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize)
{
    const std::optional<TouchedBar> touched = touchedBar(*dataSets, touchLocation, chartSize);
    if (!touched)
        return;
    recordTouchedPoint(
        [ k = touched->set, b = touched->bar ](auto& sets) -> auto& { return sets.dataSets[k].dataPoints[b]; },
        dataSets->dataSets[touched->set].setTitle, touchLocation, chartSize);
}

std::optional<kit::Point> GroupedBarChartData::touchPointLocation(const GroupedBarDataSets& dataSet,
                                                                  kit::Point touchLocation,
                                                                  const kit::Rect& chartSize) const
{
    const std::optional<TouchedBar> touched = touchedBar(dataSet, touchLocation, chartSize);
    if (!touched)
        return std::nullopt;
    const double k = static_cast<double>(touched->set);
    const double w = touched->barWidth;
    const double value = dataSet.dataSets[touched->set].dataPoints[touched->bar].value;
    const double ownSets = static_cast<double>(dataSets->dataSets.size());
    const double x = touched->section * k + w * 0.5 + w * static_cast<double>(touched->bar) +
                     (clusterSpacing(groupSpacing, chartSize.width(), dataSets->dataSets.size()) / ownSets) * k;
    return kit::Point{x, barTopY(value, chartSize.height(), minValue(), maxValue())};
}

kit::View GroupedBarChartData::xAxisLabelsView() const
{
    const std::shared_ptr<GroupedBarChartData> chart = sharedSelf(*this);
    std::vector<std::string> labels;
    for (const GroupedBarDataSet& set : dataSets->dataSets)
        labels.push_back(set.setTitle);
    // Under the middle of its cluster, the clusters sharing the plot with
    // the group spacing between them as the bars do.
    const std::size_t count = labels.size();
    const double spacing = groupSpacing;
    return barXAxisLabelsView(chart, labels, [count, spacing](std::size_t i, double width) {
        const std::vector<ValueSpan> clusters = stackSlots(width, std::vector<bool>(count, true),
                                                           clusterSpacing(spacing, width, count));
        return clusters[i].start + clusters[i].length / 2;
    });
}

bool GroupedBarChartData::isBarLegendTouched(const LegendData& legend) const
{
    return firstTouchedPointMatches(
        [&](const GroupedBarDataPoint& point) { return legend.colour == point.group.colour; });
}

} // namespace charts
