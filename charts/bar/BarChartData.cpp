#include "charts/bar/BarChartData.h"

#include "charts/bar/BarGeometry.h"
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
    std::vector<std::string> labels;
    for (const BarChartDataPoint& point : dataSets->dataPoints)
        labels.push_back(point.xAxisLabel.value_or(""));
    return barXAxisLabelsView(chart, labels, slotMiddles(labels.size()));
}

bool BarChartData::isBarLegendTouched(const LegendData& legend) const
{
    return firstTouchedPointMatches([&](const BarChartDataPoint& point) { return legend.id == point.id; });
}

} // namespace charts
