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
    return barXAxisLabelsView(chart, false, [&](kit::Angle rotation) {
        std::vector<std::optional<std::string>> labels;
        for (const RangedBarDataPoint& point : dataSets->dataPoints)
            labels.push_back(point.xAxisLabel);
        // As high as the tallest label: no height while none is measured.
        const double tallest = largestOf(viewData->xAxisLabelHeights).value_or(0);
        const XAxisLabelPosistion position = chartStyle->xAxisLabelPosition;
        const auto slotted = [chart, rotation, labels, tallest, position](const kit::GeometryProxy& proxy) {
            const int count = static_cast<int>(labels.size());
            const double slot = proxy.frame(kit::CoordinateSpace::local()).width() / static_cast<double>(count);
            return kit::ZStack(kit::Alignment::center(), {kit::ForEach(kit::Range{0, count}, [&](int i) {
                                   const std::optional<std::string>& label = labels[std::size_t(i)];
                                   if (!label || label->empty())
                                       return kit::EmptyView();
                                   // In a label cell, level with the other bar charts' labels.
                                   return xAxisLabelCell(TempText<RangedBarChartData>{chart, *label, rotation},
                                                         position)
                                       .frame(slot, tallest, kit::Alignment::center())
                                       .offset(slot * static_cast<double>(i), 0);
                               })});
        };
        return kit::GeometryReader(slotted).frame(std::nullopt, tallest, kit::Alignment::center());
    });
}

} // namespace charts
