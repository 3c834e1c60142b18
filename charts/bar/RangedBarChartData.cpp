#include "charts/bar/RangedBarChartData.h"

#include "charts/axes/MeasuredLabel.h"
#include "charts/bar/BarGeometry.h"
#include "charts/bar/BarXAxisLabels.h"
#include "kit/ui/GeometryReader.h"

namespace charts {

RangedBarChartData::RangedBarChartData(RangedBarDataSet dataSets, ChartMetadata metadata,
                                       std::optional<std::vector<std::string>> xAxisLabels,
                                       std::optional<std::vector<std::string>> yAxisLabels, BarStyle barStyle,
                                       BarChartStyle chartStyle, kit::View noDataText)
    : CommonBarChartData(std::move(dataSets), std::move(metadata), std::move(xAxisLabels), std::move(yAxisLabels),
                         std::move(barStyle), std::move(chartStyle), std::move(noDataText))
{
}

double RangedBarChartData::average() const
{
    const std::vector<RangedBarDataPoint>& points = dataSets->dataPoints;
    const double count = static_cast<double>(points.size());
    double upper = 0;
    for (const RangedBarDataPoint& point : points)
        upper += point.upperValue;
    double lower = 0;
    for (const RangedBarDataPoint& point : points)
        lower += point.lowerValue;
    return (upper / count + lower / count) * 0.5;
}

void RangedBarChartData::touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize)
{
    touchPointInSection(touchLocation.x, chartSize.width(), touchLocation, chartSize);
}

std::optional<kit::Point> RangedBarChartData::touchPointLocation(const RangedBarDataSet& dataSet,
                                                                 kit::Point touchLocation,
                                                                 const kit::Rect& chartSize) const
{
    const std::optional<BarSection> section = barSection(touchLocation.x, chartSize.width(), dataSet.dataPoints.size());
    if (!section)
        return std::nullopt;
    const RangedBarDataPoint& point = dataSet.dataPoints[section->index];
    const double middle = (point.upperValue + point.lowerValue) * 0.5;
    const double h = chartSize.height();
    return kit::Point{section->middle(), h - ((middle - minValue()) / range()) * h};
}

kit::View RangedBarChartData::xAxisLabelsView() const
{
    const std::shared_ptr<RangedBarChartData> chart = sharedSelf(*this);
    std::vector<std::string> labels;
    for (const RangedBarDataPoint& point : dataSets->dataPoints)
        labels.push_back(point.xAxisLabel.value_or(""));
    return barXAxisLabelsView(chart, labels, slotMiddles(labels.size()));
}

} // namespace charts
