#pragma once

#include "charts/core/CTChartData.h"
#include "charts/pie/DoughnutChartStyle.h"
#include "charts/pie/PieChartStyle.h"
#include "charts/pie/PieDataSet.h"

namespace charts {

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

} // namespace charts
