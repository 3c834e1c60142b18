#include "charts/pie/PieDoughnutChartData.h"

#include "charts/core/DataFunctions.h"

#include <cmath>

namespace charts {

namespace {

constexpr double degreesPerRadian = 57.29577951308232;

// The direction from the centre of `chartSize` to the touch, in degrees
// clockwise from the positive x axis (y down), from −90 (straight up) to
// below 270. A touch at the centre itself points straight down (90).
double touchDegrees(kit::Point touchLocation, const kit::Rect& chartSize)
{
    const double a = std::atan2(-(touchLocation.x - chartSize.midX()), -(touchLocation.y - chartSize.midY()));
    const double deg = a * degreesPerRadian;
    return deg > 0 ? 270 - deg : -90 - deg;
}

} // namespace

template <class Style>
PieDoughnutChartData<Style>::PieDoughnutChartData(PieDataSet dataSets, ChartMetadata metadata, Style chartStyle,
                                                  kit::View noDataText)
    : CTChartData<PieDataSet, PieDataSet, PieChartDataPoint, Style>(std::move(dataSets), std::move(metadata),
                                                                    std::move(chartStyle), std::move(noDataText),
                                                                    ChartKind{ChartType::pie, DataSetType::single})
{
    setUpLegends();
    computeSegmentAngles();
}

template <class Style>
bool PieDoughnutChartData<Style>::hasData() const
{
    return hasDataPoints(*this);
}

template <class Style>
kit::View PieDoughnutChartData<Style>::touchMarkerView(kit::Point, const kit::Rect&) const
{
    return kit::EmptyView();
}

template <class Style>
void PieDoughnutChartData<Style>::touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize)
{
    const double touch = touchDegrees(touchLocation, chartSize);
    const std::vector<PieChartDataPoint>& points = this->dataSets->dataPoints;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double start = points[i].startAngle * degreesPerRadian;
        if (!(start <= touch && touch <= start + points[i].amount * degreesPerRadian))
            continue;
        this->dataSets.modify([i](PieDataSet& set) { set.dataPoints[i].legendTag = set.legendTitle; });
        const PieChartDataPoint touched = this->dataSets->dataPoints[i];
        this->infoView.modify([&](auto& info) { info.touchOverlayInfo = {touched}; });
        this->touchedDataPointPublisher.send(touched);
        return;
    }
}

template <class Style>
std::optional<kit::Point> PieDoughnutChartData<Style>::touchPointLocation(const PieDataSet&, kit::Point,
                                                                          const kit::Rect&) const
{
    return std::nullopt;
}

template <class Style>
bool PieDoughnutChartData<Style>::isPieLegendTouched(const LegendData& legend) const
{
    const auto& info = *this->infoView;
    if (info.touchOverlayInfo.empty())
        return false;
    return info.isTouchCurrent && legend.id == info.touchOverlayInfo.front().id;
}

template <class Style>
void PieDoughnutChartData<Style>::setUpLegends()
{
    for (const PieChartDataPoint& point : this->dataSets->dataPoints) {
        if (!point.description)
            continue;
        LegendData entry(point.id, *point.description, ColourStyle(point.colour), std::nullopt, 1, ChartType::pie);
        this->legends.modify([&](std::vector<LegendData>& legends) { legends.push_back(std::move(entry)); });
    }
}

template <class Style>
void PieDoughnutChartData<Style>::computeSegmentAngles()
{
    double total = 0;
    for (const PieChartDataPoint& point : this->dataSets->dataPoints)
        total += point.value;
    double running = -1.5707963267948966;
    for (std::size_t i = 0; i < this->dataSets->dataPoints.size(); ++i) {
        const double amount = (this->dataSets->dataPoints[i].value / total) * 6.283185307179586;
        this->dataSets.modify([&](PieDataSet& set) { set.dataPoints[i].amount = amount; });
        this->dataSets.modify([&](PieDataSet& set) { set.dataPoints[i].startAngle = running; });
        running += amount;
    }
}

template class PieDoughnutChartData<PieChartStyle>;
template class PieDoughnutChartData<DoughnutChartStyle>;

} // namespace charts
