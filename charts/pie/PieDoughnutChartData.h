#pragma once

// The chart data of the pie and doughnut charts: what the two share
// (PieDoughnutChartData), the marks of their protocols, and the two classes.

#include "charts/core/CTChartData.h"
#include "charts/pie/PieDataSet.h"
#include "charts/pie/PieDoughnutChartStyle.h"

#include <utility>

namespace charts {

// Marks the pie and doughnut chart-data classes.
struct CTPieDoughnutChartDataProtocol {};
// Marks PieChartData.
struct CTPieChartDataProtocol : CTPieDoughnutChartDataProtocol {};
// Marks DoughnutChartData.
struct CTDoughnutChartDataProtocol : CTPieDoughnutChartDataProtocol {};

// What pie and doughnut chart data share: one data set of slices whose
// wedges and legend entries are worked out when the chart is made, and the
// touch that finds the slice whose wedge covers the direction from the
// chart's centre to the touch (the distance from the centre plays no part).
template <class Style>
class PieDoughnutChartData : public CTChartData<PieDataSet, PieDataSet, PieChartDataPoint, Style> {
public:
    // At least one slice.
    bool hasData() const override;
    // A pie draws no marker at the touch.
    kit::View touchMarkerView(kit::Point touchLocation, const kit::Rect& chartSize) const override;
    // The first slice, in point order, whose wedge holds the touch's
    // direction, both bounds included. It gets the data set's legend title
    // as its legend tag, becomes the only touched point and is sent on
    // touchedDataPointPublisher. A touch that meets no wedge changes nothing.
    void touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize) override;
    // A pie offers no marker position.
    std::optional<kit::Point> touchPointLocation(const PieDataSet& dataSet, kit::Point touchLocation,
                                                 const kit::Rect& chartSize) const override;
    // The entry of the first touched slice while the touch lasts.
    bool isPieLegendTouched(const LegendData& legend) const override;

    // Appends one legend entry per slice with a description, in point order
    // (one change each), with the slice's id, text and colour.
    void setUpLegends();
    // Gives each slice its wedge: clockwise from the top (−π/2) without
    // gaps, each value / total × 2π wide (two changes per slice). Values
    // that sum to 0 give wedges that are not numbers, which no touch meets.
    void computeSegmentAngles();

protected:
    PieDoughnutChartData(PieDataSet dataSets, ChartMetadata metadata, Style chartStyle, kit::View noDataText);
};

extern template class PieDoughnutChartData<PieChartStyle>;
extern template class PieDoughnutChartData<DoughnutChartStyle>;

// The chart data behind a pie chart. Made complete by its initializer: each
// slice's wedge and the legend entries are worked out then, and only then
// (assigning dataSets later recomputes neither).
//
//   auto data = std::make_shared<charts::PieChartData>(dataSet, metadata, style, kit::Text(...));
class PieChartData : public PieDoughnutChartData<PieChartStyle>, public CTPieChartDataProtocol {
public:
    PieChartData(PieDataSet dataSets, ChartMetadata metadata, PieChartStyle chartStyle, kit::View noDataText)
        : PieDoughnutChartData(std::move(dataSets), std::move(metadata), std::move(chartStyle), std::move(noDataText))
    {
    }
};

// The chart data behind a doughnut chart: the pie chart data with the
// doughnut's style. Its chart type and legend entries are those of a pie.
class DoughnutChartData : public PieDoughnutChartData<DoughnutChartStyle>, public CTDoughnutChartDataProtocol {
public:
    DoughnutChartData(PieDataSet dataSets, ChartMetadata metadata, DoughnutChartStyle chartStyle, kit::View noDataText)
        : PieDoughnutChartData(std::move(dataSets), std::move(metadata), std::move(chartStyle), std::move(noDataText))
    {
    }
};

} // namespace charts
