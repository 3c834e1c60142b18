// The bodies of the line chart-data classes: what the three answer alike,
// made here once for each of them, then what each does differently, in the
// order LineChartData, MultiLineChartData, RangedLineChartData.

#include "charts/line/LineChartData.h"

#include "charts/axes/YAxisLabelsView.h"
#include "charts/line/LineAccessibility.h"
#include "charts/line/LineTouchMarker.h"
#include "charts/line/LineXAxisLabels.h"
#include "charts/line/PointMarkers.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/Stacks.h"

namespace charts {

template <class Derived, class SetTypeT, class SetPointT, class DataPointT>
bool LineChartDataBase<Derived, SetTypeT, SetPointT, DataPointT>::hasData() const
{
    if constexpr (std::same_as<SetTypeT, SetPointT>)
        return hasMultipleDataPoints(derived());
    else
        return anySetHasMultipleDataPoints(derived());
}

template <class Derived, class SetTypeT, class SetPointT, class DataPointT>
std::optional<kit::Point> LineChartDataBase<Derived, SetTypeT, SetPointT, DataPointT>::touchPointLocation(
    const SetPointT& dataSet, kit::Point touchLocation, const kit::Rect& chartSize) const
{
    return lineTouchLocation(dataSet.dataPoints, dataSet.style.ignoreZero, touchLocation, chartSize, this->minValue(),
                             this->range());
}

template <class Derived, class SetTypeT, class SetPointT, class DataPointT>
kit::View LineChartDataBase<Derived, SetTypeT, SetPointT, DataPointT>::extraYAxisLabelsView() const
{
    return charts::extraYAxisLabelsView(derived());
}

template <class Derived, class SetTypeT, class SetPointT, class DataPointT>
kit::View LineChartDataBase<Derived, SetTypeT, SetPointT, DataPointT>::yAxisLabelsView() const
{
    return charts::yAxisLabelsView(derived());
}

template <class Derived, class SetTypeT, class SetPointT, class DataPointT>
ColourStyle LineChartDataBase<Derived, SetTypeT, SetPointT, DataPointT>::dataSetColour() const
{
    const SetPointT* line = derived().firstLine();
    return line ? line->style.lineColour : ColourStyle(kit::Color::red());
}

template <class Derived, class SetTypeT, class SetPointT, class DataPointT>
const std::vector<DataPointT>& LineChartDataBase<Derived, SetTypeT, SetPointT, DataPointT>::labelledPoints() const
{
    static const std::vector<DataPointT> none;
    const SetPointT* line = derived().firstLine();
    return line ? line->dataPoints : none;
}

template <class Derived, class SetTypeT, class SetPointT, class DataPointT>
kit::View LineChartDataBase<Derived, SetTypeT, SetPointT, DataPointT>::xAxisLabelsView() const
{
    return lineXAxisLabels(sharedSelf(derived()), labelledPoints());
}

template <class Derived, class SetTypeT, class SetPointT, class DataPointT>
std::pair<double, double> LineChartDataBase<Derived, SetTypeT, SetPointT, DataPointT>::xAxisLabelOverhang() const
{
    return lineXAxisLabelOverhang(derived(), labelledPoints());
}

template <class Derived, class SetTypeT, class SetPointT, class DataPointT>
void LineChartDataBase<Derived, SetTypeT, SetPointT, DataPointT>::appendLegend(kit::UUID id, ChartType chartType,
                                                                               const std::string& legend,
                                                                               const Stroke& strokeStyle,
                                                                               const ColourStyle& colour)
{
    if (auto entry = lineLegendEntry(id, chartType, legend, strokeStyle, colour))
        this->legends.modify([&](std::vector<LegendData>& list) { list.push_back(std::move(*entry)); });
}

template class LineChartDataBase<LineChartData, LineDataSet, LineDataSet, LineChartDataPoint>;
template class LineChartDataBase<MultiLineChartData, MultiLineDataSet, LineDataSet, LineChartDataPoint>;
template class LineChartDataBase<RangedLineChartData, RangedLineDataSet, RangedLineDataSet, RangedLineChartDataPoint>;

LineChartData::LineChartData(LineDataSet dataSets, ChartMetadata metadata,
                             std::optional<std::vector<std::string>> xAxisLabels,
                             std::optional<std::vector<std::string>> yAxisLabels, LineChartStyle chartStyle,
                             kit::View noDataText)
    : LineChartDataBase(std::move(dataSets), std::move(metadata), std::move(xAxisLabels), std::move(yAxisLabels),
                        std::move(chartStyle), std::move(noDataText))
{
    setUpLegends();
}

const DrawnLine& LineChartData::drawnLine() const
{
    if (!drawn_.known || drawn_.version != dataSets.version())
        drawn_ = {.known = true,
                  .version = dataSets.version(),
                  .line = drawnLineOf(dataSets->dataPoints, dataSets->style.ignoreZero)};
    return drawn_.line;
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
    appendLegend(set.id, ChartType::line, set.legendTitle, set.style.strokeStyle, set.style.lineColour);
}

MultiLineChartData::MultiLineChartData(MultiLineDataSet dataSets, ChartMetadata metadata,
                                       std::optional<std::vector<std::string>> xAxisLabels,
                                       std::optional<std::vector<std::string>> yAxisLabels, LineChartStyle chartStyle,
                                       kit::View noDataText)
    : LineChartDataBase(std::move(dataSets), std::move(metadata), std::move(xAxisLabels), std::move(yAxisLabels),
                        std::move(chartStyle), std::move(noDataText))
{
    setUpLegends();
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
        appendLegend(set.id, ChartType::line, set.legendTitle, set.style.strokeStyle, set.style.lineColour);
}

RangedLineChartData::RangedLineChartData(RangedLineDataSet dataSets, ChartMetadata metadata,
                                         std::optional<std::vector<std::string>> xAxisLabels,
                                         std::optional<std::vector<std::string>> yAxisLabels, LineChartStyle chartStyle,
                                         kit::View noDataText)
    : LineChartDataBase(std::move(dataSets), std::move(metadata), std::move(xAxisLabels), std::move(yAxisLabels),
                        std::move(chartStyle), std::move(noDataText))
{
    setUpLegends();
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
    appendLegend(set.id, ChartType::line, set.legendTitle, set.style.strokeStyle, set.style.lineColour);
    appendLegend(kit::UUID(), ChartType::bar, set.legendFillTitle, set.style.strokeStyle, set.style.fillColour);
}

} // namespace charts
