#include "charts/line/RangedLineChartData.h"

#include "charts/axes/YAxisLabelsView.h"
#include "charts/line/LineAccessibility.h"
#include "charts/line/LineLegends.h"
#include "charts/line/LineTouchMarker.h"
#include "charts/line/LineXAxisLabels.h"
#include "charts/line/PointsSubView.h"
#include "kit/ui/Stacks.h"

namespace charts {

RangedLineChartData::RangedLineChartData(RangedLineDataSet dataSets, ChartMetadata metadata,
                                         std::optional<std::vector<std::string>> xAxisLabels,
                                         std::optional<std::vector<std::string>> yAxisLabels, LineChartStyle chartStyle,
                                         kit::View noDataText)
    : CTLineChartDataProtocol(std::move(dataSets), std::move(metadata), std::move(xAxisLabels), std::move(yAxisLabels),
                              std::move(chartStyle), std::move(noDataText), DataSetType::single)
{
    setUpLegends();
}

bool RangedLineChartData::hasData() const
{
    return hasMultipleDataPoints(*this);
}

kit::View RangedLineChartData::touchMarkerView(kit::Point touchLocation, const kit::Rect& chartSize) const
{
    return singleLineTouchMarker(*this, touchLocation, chartSize);
}

void RangedLineChartData::touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize)
{
    touchSingleLine(touchLocation, chartSize, [](const ExtraLineDataPoint& extra) {
        RangedLineChartDataPoint point(extra.value, extra.value, extra.value, std::nullopt, extra.pointDescription);
        point._valueOnly = true;
        return point;
    });
}

std::optional<kit::Point> RangedLineChartData::touchPointLocation(const RangedLineDataSet& dataSet,
                                                                  kit::Point touchLocation,
                                                                  const kit::Rect& chartSize) const
{
    return lineTouchLocation(dataSet.dataPoints, dataSet.style.ignoreZero, touchLocation, chartSize, minValue(),
                             range());
}

kit::View RangedLineChartData::extraYAxisLabelsView() const
{
    return charts::extraYAxisLabelsView(*this);
}

ColourStyle RangedLineChartData::dataSetColour() const
{
    return dataSets->style.lineColour;
}

kit::View RangedLineChartData::xAxisLabelsView() const
{
    return lineXAxisLabels(sharedSelf(*this), dataSets->dataPoints);
}

std::pair<double, double> RangedLineChartData::xAxisLabelOverhang() const
{
    return lineXAxisLabelOverhang(*this, dataSets->dataPoints);
}

kit::View RangedLineChartData::yAxisLabelsView() const
{
    return charts::yAxisLabelsView(*this);
}

kit::View RangedLineChartData::pointsView() const
{
    return PointsSubView<RangedLineDataSet>(*dataSets, minValue(), range(), chartStyle->globalAnimation, false,
                                            disableAnimation);
}

kit::View RangedLineChartData::accessibilityView() const
{
    return accessibilityViewBody<RangedLineChartData, RangedLineDataSet>(*this, *dataSets,
                                                                         [](const RangedLineChartData& data) {
                                                                             return &*data.dataSets;
                                                                         });
}

double RangedLineChartData::average() const
{
    double sum = 0;
    for (const RangedLineChartDataPoint& point : dataSets->dataPoints)
        sum += point.value;
    return sum / static_cast<double>(dataSets->dataPoints.size());
}

void RangedLineChartData::setUpLegends()
{
    const RangedLineDataSet& set = *dataSets;
    const auto line = lineLegendEntry(set.id, ChartType::line, set.legendTitle, set.style.strokeStyle,
                                      set.style.lineColour);
    const auto fill = lineLegendEntry(kit::UUID(), ChartType::bar, set.legendFillTitle, set.style.strokeStyle,
                                      set.style.fillColour);
    for (const auto& entry : {line, fill})
        if (entry)
            legends.modify([&](std::vector<LegendData>& list) { list.push_back(*entry); });
}

} // namespace charts
