#pragma once

#include "charts/axes/GetDataProtocol.h"
#include "charts/axes/LineBarChartDataObject.h"
#include "charts/line/CTLineChartDataProtocol.h"
#include "charts/line/RangedLineDataSet.h"

#include <optional>
#include <string>
#include <vector>

namespace charts {

// The chart data of a line with a filled band around it: one
// RangedLineDataSet, two legend entries (the line, then the band's fill;
// made once, by the initializer), the touch state and an optional extra
// line. Everything that places a touched point uses its value, never the
// band.
class RangedLineChartData
    : public CTLineChartDataProtocol<RangedLineDataSet, RangedLineDataSet, RangedLineChartDataPoint>,
      public GetDataFromDataSets<RangedLineChartData> {
public:
    static constexpr CategorySpacing categorySpacing = CategorySpacing::line;

    RangedLineChartData(RangedLineDataSet dataSets, ChartMetadata metadata,
                        std::optional<std::vector<std::string>> xAxisLabels,
                        std::optional<std::vector<std::string>> yAxisLabels, LineChartStyle chartStyle,
                        kit::View noDataText);

    // Two points or more.
    bool hasData() const override;
    // The line's marker, following its values, then the extra line's.
    kit::View touchMarkerView(kit::Point touchLocation, const kit::Rect& chartSize) const override;
    // As the single line chart's: the point nearest the touch is tagged (and
    // marked when it is an ignored zero), made the only touched point,
    // followed by the extra line's point as a value-only ranged point whose
    // three values are the extra value, and then sent. A touch beside the
    // line changes nothing.
    void touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize) override;
    std::optional<kit::Point> touchPointLocation(const RangedLineDataSet& dataSet, kit::Point touchLocation,
                                                 const kit::Rect& chartSize) const override;

    // The axis label columns shared by every chart with axes.
    kit::View extraYAxisLabelsView() const override;
    // The line's colour, not the band's.
    ColourStyle dataSetColour() const override;
    // By the style's label source: a row of the points' labels, or of the
    // chart's own labels.
    kit::View xAxisLabelsView() const override;
    std::pair<double, double> xAxisLabelOverhang() const override;
    kit::View yAxisLabelsView() const override;

    // The point markers of the line, never risen.
    kit::View pointsView() const override;
    kit::View accessibilityView() const override;

    // The mean of the line's values (not of the band); not a number without points.
    double average() const;

    // Appends the line's entry (the set's id, chart type line) and then the
    // fill's (a fresh id, chart type bar, the set's legendFillTitle), each
    // with priority 1 and the line's stroke, each only when its colour has
    // what its kind needs.
    void setUpLegends();
};

} // namespace charts
