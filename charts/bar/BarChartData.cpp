#include "charts/bar/BarChartData.h"

#include "charts/bar/BarTouchGeometry.h"
#include "charts/bar/BarXAxisLabels.h"

namespace charts {

BarChartData::BarChartData(BarDataSet dataSets, ChartMetadata metadata,
                           std::optional<std::vector<std::string>> xAxisLabels,
                           std::optional<std::vector<std::string>> yAxisLabels, BarStyle barStyle,
                           BarChartStyle chartStyle, kit::View noDataText)
    : CommonBarChartData(std::move(dataSets), std::move(metadata), std::move(xAxisLabels), std::move(yAxisLabels),
                         std::move(barStyle), std::move(chartStyle), std::move(noDataText))
{
}

void BarChartData::touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize)
{
    touchPointInSection(touchLocation.x, chartSize.width(), touchLocation, chartSize);
}

std::optional<kit::Point> BarChartData::touchPointLocation(const BarDataSet& dataSet, kit::Point touchLocation,
                                                           const kit::Rect& chartSize) const
{
    const std::optional<BarSection> section = barSection(touchLocation.x, chartSize.width(), dataSet.dataPoints.size());
    if (!section)
        return std::nullopt;
    const double value = dataSet.dataPoints[section->index].value;
    return kit::Point{section->middle(), barTopY(value, chartSize.height(), minValue(), maxValue())};
}

kit::View BarChartData::xAxisLabelsView() const
{
    const std::shared_ptr<BarChartData> chart = sharedSelf(*this);
    return barXAxisLabelsView(chart, false, [&](kit::Angle rotation) {
        const std::vector<BarChartDataPoint>& points = dataSets->dataPoints;
        const double width = viewData->chartSize.width() / static_cast<double>(points.size());
        return identifiedLabelRow(
            chart, points, [](const BarChartDataPoint& point) { return point.xAxisLabel.value_or(""); }, rotation,
            width, largestOf(viewData->xAxisLabelHeights));
    });
}

bool BarChartData::isBarLegendTouched(const LegendData& legend) const
{
    return firstTouchedPointMatches([&](const BarChartDataPoint& point) { return legend.id == point.id; });
}

} // namespace charts
