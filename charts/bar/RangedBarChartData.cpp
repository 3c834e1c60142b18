#include "charts/bar/RangedBarChartData.h"

#include "charts/axes/TempText.h"
#include "charts/bar/BarTouchGeometry.h"
#include "charts/bar/BarXAxisLabels.h"
#include "kit/ui/GeometryReader.h"

namespace charts {

RangedBarChartData::RangedBarChartData(RangedBarDataSet dataSets, ChartMetadata metadata,
                                       std::optional<std::vector<std::string>> xAxisLabels,
                                       std::optional<std::vector<std::string>> yAxisLabels, BarStyle barStyle,
                                       BarChartStyle chartStyle, kit::View noDataText)
    : CommonBarChartData(std::move(dataSets), std::move(metadata), std::move(xAxisLabels), std::move(yAxisLabels),
                         std::move(barStyle), std::move(chartStyle), std::move(noDataText),
                         ChartKind{ChartType::bar, DataSetType::single})
{
    rangedBarLegendSetup();
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

bool RangedBarChartData::hasData() const { return hasDataPoints(*this); }

void RangedBarChartData::touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize)
{
    const auto index = barSectionIndex(touchLocation.x, chartSize.width(), dataSets->dataPoints.size());
    if (!index)
        return;
    recordTouchedPoint([i = *index](auto& set) -> auto& { return set.dataPoints[i]; }, dataSets->legendTitle,
                       touchLocation, chartSize);
}

std::optional<kit::Point> RangedBarChartData::touchPointLocation(const RangedBarDataSet& dataSet,
                                                                 kit::Point touchLocation,
                                                                 const kit::Rect& chartSize) const
{
    const std::size_t count = dataSet.dataPoints.size();
    const auto index = barSectionIndex(touchLocation.x, chartSize.width(), count);
    if (!index)
        return std::nullopt;
    const double section = chartSize.width() / static_cast<double>(count);
    const RangedBarDataPoint& point = dataSet.dataPoints[*index];
    const double middle = (point.upperValue + point.lowerValue) * 0.5;
    const double h = chartSize.height();
    return kit::Point{section * 0.5 + section * static_cast<double>(*index), h - ((middle - minValue()) / range()) * h};
}

kit::View RangedBarChartData::xAxisLabelsView() const
{
    const std::shared_ptr<RangedBarChartData> chart = sharedSelf();
    if (!chart)
        return kit::EmptyView();
    const LabelsFrom& labelsFrom = chartStyle->xAxisLabelsFrom;
    const kit::Angle rotation = labelRotation(labelsFrom);
    if (std::holds_alternative<LabelsFrom::ChartData>(labelsFrom.value))
        return kit::Group({chartDataLabelRow(chart, rotation, false)});

    std::vector<std::optional<std::string>> labels;
    for (const RangedBarDataPoint& point : dataSets->dataPoints)
        labels.push_back(point.xAxisLabel);
    const std::optional<double> tallest = largestOf(viewData->xAxisLabelHeights);
    const kit::View slots = kit::GeometryReader([chart, rotation, labels, tallest](const kit::GeometryProxy& proxy) {
        const int count = static_cast<int>(labels.size());
        const double slot = proxy.frame(kit::CoordinateSpace::local()).width() / static_cast<double>(count);
        return kit::ZStack(kit::Alignment::center(), {kit::ForEach(kit::Range{0, count}, [&](int i) {
                               const std::optional<std::string>& label = labels[std::size_t(i)];
                               if (!label || label->empty())
                                   return kit::EmptyView();
                               return kit::View(TempText<RangedBarChartData>{chart, *label, rotation})
                                   .frame(slot, tallest.value_or(0), kit::Alignment::center())
                                   .offset(slot * static_cast<double>(i), 0);
                           })});
    });
    return kit::Group({slots.frame(std::nullopt, tallest, kit::Alignment::center())});
}

} // namespace charts
