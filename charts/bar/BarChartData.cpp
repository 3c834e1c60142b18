#include "charts/bar/BarChartData.h"

#include "charts/bar/BarTouchGeometry.h"
#include "charts/bar/BarXAxisLabels.h"

namespace charts {

BarChartData::BarChartData(BarDataSet dataSets, ChartMetadata metadata,
                           std::optional<std::vector<std::string>> xAxisLabels,
                           std::optional<std::vector<std::string>> yAxisLabels, BarStyle barStyle,
                           BarChartStyle chartStyle, kit::View noDataText)
    : CommonBarChartData(std::move(dataSets), std::move(metadata), std::move(xAxisLabels), std::move(yAxisLabels),
                         std::move(barStyle), std::move(chartStyle), std::move(noDataText),
                         ChartKind{ChartType::bar, DataSetType::single})
{
    barLegendSetup();
}

bool BarChartData::hasData() const { return hasDataPoints(*this); }

void BarChartData::touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize)
{
    const auto index = barSectionIndex(touchLocation.x, chartSize.width(), dataSets->dataPoints.size());
    if (!index)
        return;
    recordTouchedPoint([i = *index](auto& set) -> auto& { return set.dataPoints[i]; }, dataSets->legendTitle,
                       touchLocation, chartSize);
}

std::optional<kit::Point> BarChartData::touchPointLocation(const BarDataSet& dataSet, kit::Point touchLocation,
                                                           const kit::Rect& chartSize) const
{
    const std::size_t count = dataSet.dataPoints.size();
    const auto index = barSectionIndex(touchLocation.x, chartSize.width(), count);
    if (!index)
        return std::nullopt;
    const double section = chartSize.width() / static_cast<double>(count);
    const double value = dataSet.dataPoints[*index].value;
    return kit::Point{section * 0.5 + section * static_cast<double>(*index),
                      barTopY(value, chartSize.height(), minValue(), maxValue())};
}

kit::View BarChartData::xAxisLabelsView() const
{
    const std::shared_ptr<BarChartData> chart = sharedSelf();
    if (!chart)
        return kit::EmptyView();
    const LabelsFrom& labelsFrom = chartStyle->xAxisLabelsFrom;
    const kit::Angle rotation = labelRotation(labelsFrom);
    if (std::holds_alternative<LabelsFrom::ChartData>(labelsFrom.value))
        return kit::Group({chartDataLabelRow(chart, rotation, false)});

    const std::vector<BarChartDataPoint>& points = dataSets->dataPoints;
    const double width = viewData->chartSize.width() / static_cast<double>(points.size());
    const std::optional<double> height = largestOf(viewData->xAxisLabelHeights);
    return kit::Group({identifiedLabelRow(
        chart, points, [](const BarChartDataPoint& point) { return point.xAxisLabel.value_or(""); }, rotation, width,
        height)});
}

bool BarChartData::isBarLegendTouched(const LegendData& legend) const
{
    return firstTouchedPointMatches([&](const BarChartDataPoint& point) { return legend.id == point.id; });
}

} // namespace charts
