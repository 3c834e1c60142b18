#include "charts/line/LineChartData.h"

#include "charts/axes/YAxisLabelsView.h"
#include "charts/line/LineAccessibility.h"
#include "charts/line/LineLegends.h"
#include "charts/line/LineTouchMarker.h"
#include "charts/line/LineXAxisLabels.h"
#include "charts/line/PointsSubView.h"
#include "kit/ui/Stacks.h"

namespace charts {

LineChartData::LineChartData(LineDataSet dataSets, ChartMetadata metadata,
                             std::optional<std::vector<std::string>> xAxisLabels,
                             std::optional<std::vector<std::string>> yAxisLabels, LineChartStyle chartStyle,
                             kit::View noDataText)
    : CTLineChartDataProtocol(std::move(dataSets), std::move(metadata), std::move(xAxisLabels), std::move(yAxisLabels),
                              std::move(chartStyle), std::move(noDataText), DataSetType::single)
{
    setUpLegends();
}

bool LineChartData::hasData() const
{
    return hasMultipleDataPoints(*this);
}

kit::View LineChartData::touchMarkerView(kit::Point touchLocation, const kit::Rect& chartSize) const
{
    return singleLineTouchMarker(*this, touchLocation, chartSize);
}

void LineChartData::touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize)
{
    touchSingleLine(touchLocation, chartSize, [](const ExtraLineDataPoint& extra) {
        return LineChartDataPoint(extra.value, std::nullopt, extra.pointDescription);
    });
}

std::optional<kit::Point> LineChartData::touchPointLocation(const LineDataSet& dataSet, kit::Point touchLocation,
                                                            const kit::Rect& chartSize) const
{
    return lineTouchLocation(dataSet.dataPoints, dataSet.style.ignoreZero, touchLocation, chartSize, minValue(),
                             range());
}

kit::View LineChartData::extraYAxisLabelsView() const
{
    return charts::extraYAxisLabelsView(*this);
}

ColourStyle LineChartData::dataSetColour() const
{
    return dataSets->style.lineColour;
}

kit::View LineChartData::xAxisLabelsView() const
{
    return lineXAxisLabels(sharedSelf(*this), dataSets->dataPoints);
}

std::pair<double, double> LineChartData::xAxisLabelOverhang() const
{
    return lineXAxisLabelOverhang(*this, dataSets->dataPoints);
}

kit::View LineChartData::yAxisLabelsView() const
{
    return charts::yAxisLabelsView(*this);
}

kit::View LineChartData::pointsView() const
{
    return PointsSubView<LineDataSet>(*dataSets, minValue(), range(), chartStyle->globalAnimation, isFilled,
                                      disableAnimation);
}

kit::View LineChartData::accessibilityView() const
{
    return accessibilityViewBody<LineChartData, LineDataSet>(*this, *dataSets,
                                                             [](const LineChartData& data) { return &*data.dataSets; });
}

void LineChartData::setUpLegends()
{
    const LineDataSet& set = *dataSets;
    if (auto entry = lineLegendEntry(set.id, ChartType::line, set.legendTitle, set.style.strokeStyle,
                                     set.style.lineColour))
        legends.modify([&](std::vector<LegendData>& list) { list.push_back(std::move(*entry)); });
}

} // namespace charts
