#pragma once

#include "charts/axes/GetDataProtocol.h"
#include "charts/axes/LineBarChartDataObject.h"
#include "charts/line/CTLineChartDataProtocol.h"
#include "charts/line/LineDataSet.h"

#include <optional>
#include <string>
#include <vector>

namespace charts {

// The chart data of a single-line chart: one LineDataSet, its style, one
// legend entry (made once, by the initializer, from the line's colour), the
// touch state and an optional extra line. A touch tags the touched point
// with the line's legend title in the stored data set (and marks a touched
// zero as left out when the line ignores zeros); the marks stay after the
// touch ends.
//
//   auto data = std::make_shared<charts::LineChartData>(set, metadata, std::nullopt, std::nullopt, style,
//                                                       kit::Text("No data"));
class LineChartData : public CTLineChartDataProtocol<LineDataSet, LineDataSet, LineChartDataPoint>,
                      public GetDataFromDataSets<LineChartData> {
public:
    static constexpr CategorySpacing categorySpacing = CategorySpacing::line;

    // Set by the filled line chart made over this chart data: the point
    // markers then rise with the filled area instead of being traced.
    bool isFilled = false;

    LineChartData(LineDataSet dataSets, ChartMetadata metadata, std::optional<std::vector<std::string>> xAxisLabels,
                  std::optional<std::vector<std::string>> yAxisLabels, LineChartStyle chartStyle, kit::View noDataText);

    // Two points or more.
    bool hasData() const override;
    // The line's marker for the chart style's marker type, then the extra
    // line's marker when there is an extra line.
    kit::View touchMarkerView(kit::Point touchLocation, const kit::Rect& chartSize) const override;
    // The point nearest the touch (lineTouchIndex): tagged with the line's
    // legend title (and marked ignoreMe when it is a zero the line ignores)
    // in the stored data set, made the only touched point, followed in
    // `touchOverlayInfo` by the extra line's point under the touch, and then
    // sent. A touch beside the line changes nothing, so the touched points
    // of the previous touch stay.
    void touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize) override;
    // Where the point nearest the touch stands, by the chart's lowest value
    // and value range; none beside the line and for an ignored zero.
    std::optional<kit::Point> touchPointLocation(const LineDataSet& dataSet, kit::Point touchLocation,
                                                 const kit::Rect& chartSize) const override;

    // The axis label columns shared by every chart with axes.
    kit::View extraYAxisLabelsView() const override;
    // The line's colour.
    ColourStyle dataSetColour() const override;
    // By the style's label source: each point's label placed at its point's
    // x (labels that are missing or empty leave their place empty; all at x
    // 0 on a line of one point), or the chart's own labels in a row.
    kit::View xAxisLabelsView() const override;
    std::pair<double, double> xAxisLabelOverhang() const override;
    kit::View yAxisLabelsView() const override;

    // The point markers of the line, traced in, or risen when `isFilled`.
    kit::View pointsView() const override;
    kit::View accessibilityView() const override;

    // Appends the line's legend entry, when its colour has what its kind needs.
    void setUpLegends();
};

} // namespace charts
