#pragma once

// The chart data of the line charts: what the three classes answer alike
// (LineChartDataBase), then each class by what it does differently: one
// line (LineChartData), several lines over one pair of axes
// (MultiLineChartData), a line with a filled band around it
// (RangedLineChartData).

#include "charts/axes/GetDataProtocol.h"
#include "charts/axes/LineBarChartDataObject.h"
#include "charts/line/CTLineChartDataProtocol.h"
#include "charts/line/LineDataSets.h"
#include "charts/line/LinePaths.h"
#include "charts/line/LineTouchIndex.h"

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace charts {

// What every line chart-data class answers alike, written once for the
// class `Derived` itself (so that the views made here are made over it):
// where the marker of a touched point stands, the axis labels, the chart's
// colour, whether there is anything to draw, the value range
// (GetDataFromDataSets) and the spacing of the points. The x axis shows the
// labels of the points of `Derived::firstLine()`, whose colour is the
// chart's; a chart without lines answers null.
template <class Derived, class SetTypeT, class SetPointT, class DataPointT>
class LineChartDataBase : public CTLineChartDataProtocol<SetTypeT, SetPointT, DataPointT>,
                          public GetDataFromDataSets<Derived> {
public:
    static constexpr CategorySpacing categorySpacing = CategorySpacing::line;

    // One line of two points or more, or, for several lines, some line of
    // two points or more.
    bool hasData() const override;
    // Where the point of `dataSet` nearest the touch stands, by the whole
    // chart's lowest value and value range; none beside the line and for an
    // ignored zero.
    std::optional<kit::Point> touchPointLocation(const SetPointT& dataSet, kit::Point touchLocation,
                                                 const kit::Rect& chartSize) const override;

    // The axis label columns shared by every chart with axes.
    kit::View extraYAxisLabelsView() const override;
    kit::View yAxisLabelsView() const override;
    // The first line's colour (a band's line, not its fill); flat red
    // without lines.
    ColourStyle dataSetColour() const override;
    // By the style's label source: the first line's point labels, each
    // centred on its point (labels that are missing or empty leave their
    // place empty; all at x 0 on a line of one point; none without lines),
    // or the chart's own labels in a row.
    kit::View xAxisLabelsView() const override;
    std::pair<double, double> xAxisLabelOverhang() const override;

protected:
    LineChartDataBase(SetTypeT dataSets, ChartMetadata metadata, std::optional<std::vector<std::string>> xAxisLabels,
                      std::optional<std::vector<std::string>> yAxisLabels, LineChartStyle chartStyle,
                      kit::View noDataText)
        : CTLineChartDataProtocol<SetTypeT, SetPointT, DataPointT>(std::move(dataSets), std::move(metadata),
                                                                   std::move(xAxisLabels), std::move(yAxisLabels),
                                                                   std::move(chartStyle), std::move(noDataText),
                                                                   std::same_as<SetTypeT, SetPointT>
                                                                       ? DataSetType::single
                                                                       : DataSetType::multi)
    {
    }

    // Appends the entry of a line or band (lineLegendEntry) when its colour
    // has what its kind needs.
    void appendLegend(kit::UUID id, ChartType chartType, const std::string& legend, const Stroke& strokeStyle,
                      const ColourStyle& colour);

    // The touch of a chart of one line: the point nearest the touch is
    // tagged with the line's legend title (and marked ignoreMe when it is a
    // zero the line ignores) in the stored data set, made the only touched
    // point, followed by the extra line's point under the touch as
    // `extraPoint` makes it, and then sent. A touch beside the line changes
    // nothing, so the touched points of the previous touch stay.
    template <class MakeExtraPoint>
    void touchSingleLine(kit::Point touchLocation, const kit::Rect& chartSize, MakeExtraPoint extraPoint)
    {
        const auto index = lineTouchIndex(this->dataSets->dataPoints.size(), chartSize.width(), touchLocation.x);
        if (!index)
            return;
        const std::size_t i = *index;
        this->dataSets.modify([i](SetTypeT& set) { set.dataPoints[i].legendTag = set.legendTitle; });
        if (this->dataSets->style.ignoreZero && this->dataSets->dataPoints[i].value == 0)
            this->dataSets.modify([i](SetTypeT& set) { set.dataPoints[i].ignoreMe = true; });
        const DataPointT touched = this->dataSets->dataPoints[i];
        this->infoView.modify([&](auto& info) { info.touchOverlayInfo = {touched}; });
        if (const auto extra = this->extraLineTouchedPoint(touchLocation, chartSize)) {
            DataPointT point = extraPoint(*extra);
            point.legendTag = (*this->extraLineData)->legendTitle;
            this->infoView.modify([&](auto& info) { info.touchOverlayInfo.push_back(point); });
        }
        this->touchedDataPointPublisher.send(touched);
    }

private:
    const Derived& derived() const { return static_cast<const Derived&>(*this); }
    const std::vector<DataPointT>& labelledPoints() const;
};

// Made once, in LineChartData.cpp, for the three classes.
class LineChartData;
class MultiLineChartData;
class RangedLineChartData;
extern template class LineChartDataBase<LineChartData, LineDataSet, LineDataSet, LineChartDataPoint>;
extern template class LineChartDataBase<MultiLineChartData, MultiLineDataSet, LineDataSet, LineChartDataPoint>;
extern template class LineChartDataBase<RangedLineChartData, RangedLineDataSet, RangedLineDataSet,
                                        RangedLineChartDataPoint>;

// The chart data of a single-line chart: one LineDataSet, its style, one
// legend entry (made once, by the initializer, from the line's colour), the
// touch state and an optional extra line. A touch tags the touched point
// with the line's legend title in the stored data set (and marks a touched
// zero as left out when the line ignores zeros); the marks stay after the
// touch ends.
//
//   auto data = std::make_shared<charts::LineChartData>(set, metadata, std::nullopt, std::nullopt, style,
//                                                       kit::Text("No data"));
class LineChartData : public LineChartDataBase<LineChartData, LineDataSet, LineDataSet, LineChartDataPoint> {
public:
    // Set by the filled line chart made over this chart data: the point
    // markers then rise with the filled area instead of being traced.
    bool isFilled = false;

    LineChartData(LineDataSet dataSets, ChartMetadata metadata, std::optional<std::vector<std::string>> xAxisLabels,
                  std::optional<std::vector<std::string>> yAxisLabels, LineChartStyle chartStyle, kit::View noDataText);

    // The line's marker for the chart style's marker type, then the extra
    // line's marker when there is an extra line.
    kit::View touchMarkerView(kit::Point touchLocation, const kit::Rect& chartSize) const override;
    // The point nearest the touch (lineTouchIndex), as touchSingleLine
    // records and sends it, followed in `touchOverlayInfo` by the extra
    // line's point under the touch.
    void touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize) override;

    // The point markers of the line, traced in, or risen when `isFilled`.
    kit::View pointsView() const override;
    kit::View accessibilityView() const override;

    // Appends the line's legend entry, when its colour has what its kind needs.
    void setUpLegends();

    // The line, whose points the x axis labels and whose colour is the chart's.
    const LineDataSet* firstLine() const { return &*dataSets; }

    // What the line draws of its points and both ends of its values, read
    // in one pass over the points of the set as it stands and kept until
    // the set is written: an update reads the points once, for the value
    // range and the line's path alike.
    const DrawnLine& drawnLine() const;
    // Both ends of the line's values, as the value range reads them.
    ValueEnds dataSetValueEnds() const { return drawnLine().ends; }

private:
    struct KeptLine {
        bool known = false;
        std::uint64_t version = 0; // of the data sets
        DrawnLine line;
    };
    mutable KeptLine drawn_;
};

// The chart data of several lines over one pair of axes: one
// MultiLineDataSet, one legend entry per line (made once, by the
// initializer), the touch state and an optional extra line. The value axis
// spans every line.
class MultiLineChartData
    : public LineChartDataBase<MultiLineChartData, MultiLineDataSet, LineDataSet, LineChartDataPoint> {
public:
    MultiLineChartData(MultiLineDataSet dataSets, ChartMetadata metadata,
                       std::optional<std::vector<std::string>> xAxisLabels,
                       std::optional<std::vector<std::string>> yAxisLabels, LineChartStyle chartStyle,
                       kit::View noDataText);

    // Each line's marker, in line order, then the extra line's.
    kit::View touchMarkerView(kit::Point touchLocation, const kit::Rect& chartSize) const override;
    // For each line, in order, the point nearest the touch by that line's
    // own spacing: sent as it is stored, then tagged with the line's legend
    // title (and marked ignoreMe when it is a zero the line ignores) in the
    // stored data set. The touched points become those points, in line
    // order, followed by the extra line's point under the touch; a touch
    // that finds none leaves no touched point.
    void touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize) override;

    // A PointsSubView per line, identified by the line's id, never risen.
    kit::View pointsView() const override;
    // The accessibility elements of each line, the lines identified by
    // their whole value; each line's elements span the chart on their own.
    kit::View accessibilityView() const override;

    // Appends one legend entry per line whose colour has what its kind needs.
    void setUpLegends();

    // The first line, whose points the x axis labels and whose colour is
    // the chart's; null without lines.
    const LineDataSet* firstLine() const { return dataSets->dataSets.empty() ? nullptr : &dataSets->dataSets.front(); }
};

// The chart data of a line with a filled band around it: one
// RangedLineDataSet, two legend entries (the line, then the band's fill;
// made once, by the initializer), the touch state and an optional extra
// line. Everything that places a touched point uses its value, never the
// band.
class RangedLineChartData
    : public LineChartDataBase<RangedLineChartData, RangedLineDataSet, RangedLineDataSet, RangedLineChartDataPoint> {
public:
    RangedLineChartData(RangedLineDataSet dataSets, ChartMetadata metadata,
                        std::optional<std::vector<std::string>> xAxisLabels,
                        std::optional<std::vector<std::string>> yAxisLabels, LineChartStyle chartStyle,
                        kit::View noDataText);

    // The line's marker, following its values, then the extra line's.
    kit::View touchMarkerView(kit::Point touchLocation, const kit::Rect& chartSize) const override;
    // As the single line chart's, the extra line's point following as a
    // value-only ranged point whose three values are the extra value.
    void touchedDataPoints(kit::Point touchLocation, const kit::Rect& chartSize) override;

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

    // The line, whose points the x axis labels and whose colour (not the
    // band's) is the chart's.
    const RangedLineDataSet* firstLine() const { return &*dataSets; }
};

} // namespace charts
