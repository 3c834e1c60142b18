#include "charts/bar/StackedBarChartData.h"

#include "charts/bar/BarGeometry.h"
#include "charts/bar/BarXAxisLabels.h"

#include <cmath>

namespace charts {

StackedBarChartData::StackedBarChartData(StackedBarDataSets dataSets, std::vector<GroupingData> groups,
                                         ChartMetadata metadata, std::optional<std::vector<std::string>> xAxisLabels,
                                         std::optional<std::vector<std::string>> yAxisLabels, BarStyle barStyle,
                                         BarChartStyle chartStyle, kit::View noDataText)
    : CommonBarChartData(std::move(dataSets), std::move(metadata), std::move(xAxisLabels), std::move(yAxisLabels),
                         std::move(barStyle), std::move(chartStyle), std::move(noDataText), std::move(groups))
{
}

std::pair<std::optional<StackedBarChartData::SegmentTop>, std::vector<double>>
StackedBarChartData::touchedSegment(const StackedBarDataSet& stack, kit::Point touchLocation,
                                    const kit::Rect& chartSize) const
{
    const double h = chartSize.height();
    const double total = stack.totalValue();
    const double highest = highestChartValue(*this);
    double sum = 0;
    for (const StackedBarDataPoint& point : stack.dataPoints)
        sum += point.value;

    std::vector<double> tops;
    double top = 0;
    for (const StackedBarDataPoint& point : stack.dataPoints) {
        top += point.value / sum * (total / highest * h);
        tops.push_back(top);
    }
    const double distance = std::abs(touchLocation.y - h);
    for (std::size_t k = 0; k < tops.size(); ++k)
        if (distance < tops[k])
            return {SegmentTop{.index = k, .top = tops[k]}, tops};
    return {std::nullopt, tops};
}

std::optional<StackedBarChartData::TouchedSegment> StackedBarChartData::touched(const StackedBarDataSets& dataSet,
                                                                                kit::Point touchLocation,
                                                                                const kit::Rect& chartSize) const
{
    const std::optional<BarSection> column = barSection(touchLocation.x, chartSize.width(), dataSet.dataSets.size());
    if (!column)
        return std::nullopt;
    const StackedBarDataSet& stack = dataSet.dataSets[column->index];
    const std::optional<SegmentTop> segment = touchedSegment(stack, touchLocation, chartSize).first;
    if (!segment || segment->index >= stack.dataPoints.size())
        return std::nullopt;
    return TouchedSegment{.column = *column, .segment = *segment};
}

void StackedBarChartData::touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize)
{
    const std::optional<TouchedSegment> found = touched(*dataSets, touchLocation, chartSize);
    if (!found)
        return;
    recordTouchedPoint(
        [ i = found->column.index, k = found->segment.index ](auto& sets) -> auto& {
            return sets.dataSets[i].dataPoints[k];
        },
        dataSets->dataSets[found->column.index].setTitle, touchLocation, chartSize);
}

std::optional<kit::Point> StackedBarChartData::touchPointLocation(const StackedBarDataSets& dataSet,
                                                                  kit::Point touchLocation,
                                                                  const kit::Rect& chartSize) const
{
    const std::optional<TouchedSegment> found = touched(dataSet, touchLocation, chartSize);
    if (!found)
        return std::nullopt;
    return kit::Point{found->column.middle(), chartSize.height() - found->segment.top};
}

kit::View StackedBarChartData::xAxisLabelsView() const
{
    const std::shared_ptr<StackedBarChartData> chart = sharedSelf(*this);
    std::vector<std::string> labels;
    for (const StackedBarDataSet& stack : dataSets->dataSets)
        labels.push_back(stack.setTitle);
    return barXAxisLabelsView(chart, labels, slotMiddles(labels.size()));
}

bool StackedBarChartData::isBarLegendTouched(const LegendData& legend) const
{
    return firstTouchedPointMatches(
        [&](const StackedBarDataPoint& point) { return legend.colour == point.group.colour; });
}

} // namespace charts
