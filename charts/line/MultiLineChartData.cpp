#include "charts/line/MultiLineChartData.h"

#include "charts/axes/YAxisLabelsView.h"
#include "charts/line/LineAccessibility.h"
#include "charts/line/LineLegends.h"
#include "charts/line/LineTouchIndex.h"
#include "charts/line/LineTouchMarker.h"
#include "charts/line/LineXAxisLabels.h"
#include "charts/line/PointsSubView.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/Stacks.h"

namespace charts {

MultiLineChartData::MultiLineChartData(MultiLineDataSet dataSets, ChartMetadata metadata,
                                       std::optional<std::vector<std::string>> xAxisLabels,
                                       std::optional<std::vector<std::string>> yAxisLabels, LineChartStyle chartStyle,
                                       kit::View noDataText)
    : CTLineChartDataProtocol(std::move(dataSets), std::move(metadata), std::move(xAxisLabels), std::move(yAxisLabels),
                              std::move(chartStyle), std::move(noDataText), DataSetType::multi)
{
    setUpLegends();
}

bool MultiLineChartData::hasData() const
{
    return anySetHasMultipleDataPoints(*this);
}

kit::View MultiLineChartData::touchMarkerView(kit::Point touchLocation, const kit::Rect& chartSize) const
{
    const kit::View lines = kit::ForEach(dataSets->dataSets, [&](const LineDataSet& set) {
        return lineTouchMarker(*this, set.dataPoints, set.style.lineType, chartSize, touchLocation, set);
    });
    return kit::ZStack(kit::Alignment::center(), {lines, extraLineMarker(*this, touchLocation, chartSize)});
}

void MultiLineChartData::touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize)
{
    std::vector<LineChartDataPoint> found;
    for (std::size_t s = 0; s < dataSets->dataSets.size(); ++s) {
        const auto index = lineTouchIndex(dataSets->dataSets[s].dataPoints.size(), chartSize.width(), touchLocation.x);
        if (!index)
            continue;
        const std::size_t i = *index;
        touchedDataPointPublisher.send(dataSets->dataSets[s].dataPoints[i]);
        dataSets.modify([&](MultiLineDataSet& sets) {
            LineDataSet& set = sets.dataSets[s];
            set.dataPoints[i].legendTag = set.legendTitle;
        });
        const LineDataSet& set = dataSets->dataSets[s];
        if (set.style.ignoreZero && set.dataPoints[i].value == 0)
            dataSets.modify([&](MultiLineDataSet& sets) { sets.dataSets[s].dataPoints[i].ignoreMe = true; });
        found.push_back(dataSets->dataSets[s].dataPoints[i]);
    }
    if (const auto extra = extraLineTouchedPoint(touchLocation, chartSize)) {
        LineChartDataPoint point(extra->value, std::nullopt, extra->pointDescription);
        point.legendTag = (*extraLineData)->legendTitle;
        found.push_back(std::move(point));
    }
    infoView.modify([&](auto& info) { info.touchOverlayInfo = std::move(found); });
}

std::optional<kit::Point> MultiLineChartData::touchPointLocation(const LineDataSet& dataSet, kit::Point touchLocation,
                                                                 const kit::Rect& chartSize) const
{
    return lineTouchLocation(dataSet.dataPoints, dataSet.style.ignoreZero, touchLocation, chartSize, minValue(),
                             range());
}

kit::View MultiLineChartData::extraYAxisLabelsView() const
{
    return charts::extraYAxisLabelsView(*this);
}

ColourStyle MultiLineChartData::dataSetColour() const
{
    if (dataSets->dataSets.empty())
        return ColourStyle(kit::Color::red());
    return dataSets->dataSets.front().style.lineColour;
}

namespace {

// The points of the first line, whose labels the x axis shows (none without a line).
const std::vector<LineChartDataPoint>& firstLinePoints(const MultiLineDataSet& sets)
{
    static const std::vector<LineChartDataPoint> none;
    return sets.dataSets.empty() ? none : sets.dataSets.front().dataPoints;
}

} // namespace

kit::View MultiLineChartData::xAxisLabelsView() const
{
    return lineXAxisLabels(sharedSelf(*this), firstLinePoints(*dataSets));
}

std::pair<double, double> MultiLineChartData::xAxisLabelOverhang() const
{
    return lineXAxisLabelOverhang(*this, firstLinePoints(*dataSets));
}

kit::View MultiLineChartData::yAxisLabelsView() const
{
    return charts::yAxisLabelsView(*this);
}

kit::View MultiLineChartData::pointsView() const
{
    const double min = minValue();
    const double span = range();
    return kit::ZStack(kit::Alignment::center(), {kit::ForEach(dataSets->dataSets, [&](const LineDataSet& set) {
                           return PointsSubView<LineDataSet>(set, min, span, chartStyle->globalAnimation, false,
                                                             disableAnimation);
                       })});
}

kit::View MultiLineChartData::accessibilityView() const
{
    return kit::ZStack(kit::Alignment::center(),
                       {kit::ForEach(
                           dataSets->dataSets, [](const LineDataSet& set) { return set; },
                           [&](const LineDataSet& set) {
                               return accessibilityViewBody<MultiLineChartData, LineDataSet>(
                                   *this, set, [id = set.id](const MultiLineChartData& data) -> const LineDataSet* {
                                       for (const LineDataSet& s : data.dataSets->dataSets)
                                           if (s.id == id)
                                               return &s;
                                       return nullptr;
                                   });
                           })});
}

void MultiLineChartData::setUpLegends()
{
    for (const LineDataSet& set : dataSets->dataSets)
        if (auto entry = lineLegendEntry(set.id, ChartType::line, set.legendTitle, set.style.strokeStyle,
                                         set.style.lineColour))
            legends.modify([&](std::vector<LegendData>& list) { list.push_back(std::move(*entry)); });
}

} // namespace charts
