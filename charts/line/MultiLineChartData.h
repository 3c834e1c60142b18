#pragma once

#include "charts/axes/GetDataProtocol.h"
#include "charts/axes/LineBarChartDataObject.h"
#include "charts/line/CTLineChartDataProtocol.h"
#include "charts/line/MultiLineDataSet.h"

#include <optional>
#include <string>
#include <vector>

namespace charts {

// The chart data of several lines over one pair of axes: one
// MultiLineDataSet, one legend entry per line (made once, by the
// initializer), the touch state and an optional extra line. The value axis
// spans every line.
class MultiLineChartData : public CTLineChartDataProtocol<MultiLineDataSet, LineDataSet, LineChartDataPoint>,
                           public GetDataFromDataSets<MultiLineChartData> {
public:
    static constexpr CategorySpacing categorySpacing = CategorySpacing::line;

    MultiLineChartData(MultiLineDataSet dataSets, ChartMetadata metadata,
                       std::optional<std::vector<std::string>> xAxisLabels,
                       std::optional<std::vector<std::string>> yAxisLabels, LineChartStyle chartStyle,
                       kit::View noDataText);

    // Some line has two points or more.
    bool hasData() const override;
    // Each line's marker, in line order, then the extra line's.
    kit::View touchMarkerView(kit::Point touchLocation, const kit::Rect& chartSize) const override;
    // For each line, in order, the point nearest the touch by that line's
    // own spacing: sent as it is stored, then tagged with the line's legend
    // title (and marked ignoreMe when it is a zero the line ignores) in the
    // stored data set. The touched points become those points, in line
    // order, followed by the extra line's point under the touch; a touch
    // that finds none leaves no touched point.
    void touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize) override;
    // Where the point of `dataSet` nearest the touch stands, by the whole
    // chart's lowest value and value range.
    std::optional<kit::Point> touchPointLocation(const LineDataSet& dataSet, kit::Point touchLocation,
                                                 const kit::Rect& chartSize) const override;

    // The axis label columns shared by every chart with axes.
    kit::View extraYAxisLabelsView() const override;
    // The first line's colour; flat red without lines.
    ColourStyle dataSetColour() const override;
    // By the style's label source: a row of the first line's point labels
    // (empty without lines), or of the chart's own labels.
    kit::View xAxisLabelsView() const override;
    std::pair<double, double> xAxisLabelOverhang() const override;
    kit::View yAxisLabelsView() const override;

    // A PointsSubView per line, identified by the line's id, never risen.
    kit::View pointsView() const override;
    // The accessibility elements of each line, the lines identified by
    // their whole value; each line's elements span the chart on their own.
    kit::View accessibilityView() const override;

    // Appends one legend entry per line whose colour has what its kind needs.
    void setUpLegends();
};

} // namespace charts
