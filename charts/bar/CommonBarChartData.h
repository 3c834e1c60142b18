#pragma once

#include "charts/axes/GetDataProtocol.h"
#include "charts/axes/LineBarChartDataObject.h"
#include "charts/axes/YAxisLabelsView.h"
#include "charts/bar/BarChartStyle.h"
#include "charts/bar/BarDataPointProtocols.h"
#include "charts/bar/BarDataSetProtocols.h"
#include "charts/bar/BarGeometry.h"
#include "charts/bar/BarStyle.h"
#include "charts/bar/BarTouchMarker.h"
#include "charts/core/ExtraLineTouchMarker.h"
#include "charts/core/LegendData.h"
#include "charts/core/SharedSelf.h"
#include "charts/line/PosistionIndicator.h"
#include "kit/ui/Stacks.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace charts {

// What the five bar chart-data classes share. `Derived` is the class,
// `Protocol` the chart-data protocol it implements (CTBarChartDataProtocol
// or one of its refinements, over BarChartStyle and BarStyle).
//
// - The common initialization: the data sets, metadata, axis labels, bar
//   style, chart style and no-data text as given, an empty legend, the
//   default layout record and touch state, no extra line; then the legend,
//   built once: later changes of data or style never rebuild it.
// - The value range of the style and data sets (GetDataProtocol), the bar
//   spacing of the category axis, the colour of the data set (the bar
//   style's colour) and the y-axis label columns of the axis decorations.
// - The touch view: the bar marker at the class's touchPointLocation, then
//   the extra line's marker when there is an extra line.
// - The end of a touch that found a point (recordTouchedPoint).
//
// Made with std::make_shared, like every chart-data object: its label views
// observe it through a shared pointer to itself (sharedSelf).
template <class Derived, class Protocol>
class CommonBarChartData : public Protocol, public GetDataFromDataSets<Derived>, public SharedSelf {
public:
    using typename Protocol::DataPoint;
    using typename Protocol::SetType;

    static constexpr CategorySpacing categorySpacing = CategorySpacing::bar;

    // At least one point: in the data set, or in one of the data sets.
    bool hasData() const override
    {
        if constexpr (CTMultiDataSetProtocol<SetType>)
            return anySetHasDataPoints(*this);
        else
            return hasDataPoints(*this);
    }

    kit::View touchMarkerView(kit::Point touchLocation, const kit::Rect& chartSize) const override
    {
        const std::optional<ExtraLineData>& extraLine = *this->extraLineData;
        return kit::ZStack(kit::Alignment::center(),
                           {barTouchMarker(self()), extraLine ? extraLineTouchMarker(*extraLine, touchLocation,
                                                                                     chartSize, posistionIndicatorDot)
                                                              : kit::EmptyView()});
    }

    kit::View extraYAxisLabelsView() const override { return charts::extraYAxisLabelsView(self()); }
    ColourStyle dataSetColour() const override { return this->barStyle->colour; }
    kit::View yAxisLabelsView() const override { return charts::yAxisLabelsView(self()); }

    // The legend of a chart of one data set (standard, horizontal and
    // ranged bars), appended entry by entry: when the bars take their
    // colours from the data points, one entry per point that has a
    // description (its id, description and colour); otherwise one entry for
    // the set (its id, legend title and the bar style's colour). Colours
    // lacking what their kind needs give no entry.
    void barLegendSetup() requires CTStandardBarChartDataSet<SetType>
    {
        if (this->barStyle->colourFrom == ColourFrom::dataPoints) {
            for (const DataPoint& point : this->dataSets->dataPoints)
                if (point.description)
                    appendLegend(point.id, *point.description, point.colour);
            return;
        }
        appendLegend(this->dataSets->id, this->dataSets->legendTitle, this->barStyle->colour);
    }

    // The legend of a grouped or stacked chart: one entry per group, in
    // order, with the group's id, title and colour; groups are not merged.
    void multiBarLegendSetup() requires CTMultiDataSetProtocol<SetType>
    {
        for (const GroupingData& group : *this->groups)
            appendLegend(group.id, group.title, group.colour);
    }

protected:
    // The common initialization, then the legend, built once: of the
    // groups for a set of data sets (multiBarLegendSetup), of the one data
    // set otherwise (barLegendSetup). `protocolArguments` are what the
    // protocol adds (the groups).
    template <class... ProtocolArguments>
    CommonBarChartData(SetType dataSets, ChartMetadata metadata, std::optional<std::vector<std::string>> xAxisLabels,
                       std::optional<std::vector<std::string>> yAxisLabels, BarStyle barStyle, BarChartStyle chartStyle,
                       kit::View noDataText, ProtocolArguments&&... protocolArguments)
        : Protocol(std::move(dataSets), std::move(metadata), std::move(chartStyle), std::move(noDataText),
                   ChartKind{ChartType::bar,
                             CTMultiDataSetProtocol<SetType> ? DataSetType::multi : DataSetType::single},
                   std::move(barStyle), std::forward<ProtocolArguments>(protocolArguments)...)
    {
        this->xAxisLabels = std::move(xAxisLabels);
        this->yAxisLabels = std::move(yAxisLabels);
        if constexpr (CTMultiDataSetProtocol<SetType>)
            multiBarLegendSetup();
        else
            barLegendSetup();
    }

    const Derived& self() const { return static_cast<const Derived&>(*this); }
    Derived& self() { return static_cast<Derived&>(*this); }

    // Whether a touch is under way and its first touched point satisfies `matches`.
    template <class Matches>
    bool firstTouchedPointMatches(Matches matches) const
    {
        const auto& info = *this->infoView;
        return !info.touchOverlayInfo.empty() && info.isTouchCurrent && matches(info.touchOverlayInfo.front());
    }

    // The end of a touch that found a point: `title` goes into the legend
    // tag of the stored point that `pointAt` picks from the data sets (one
    // change of dataSets); the point becomes the only touched point; the
    // extra line's point under the touch, when there is one, follows it as
    // a point of this chart's kind in the standard red, tagged with the
    // extra line's legend title; then the stored point, not the extra
    // line's, is sent on touchedDataPointPublisher.
    template <class PointAt>
    void recordTouchedPoint(PointAt pointAt, std::string title, kit::Point touchLocation, const kit::Rect& chartSize)
    {
        this->dataSets.modify([&](SetType& set) { pointAt(set).legendTag = title; });
        const DataPoint touched = pointAt(*this->dataSets);
        this->infoView.modify([&](auto& info) { info.touchOverlayInfo = {touched}; });
        if (const std::optional<ExtraLineDataPoint> extra = this->extraLineTouchedPoint(touchLocation, chartSize)) {
            const DataPoint point = extraLinePoint(*extra, (*this->extraLineData)->legendTitle);
            this->infoView.modify([&](auto& info) { info.touchOverlayInfo.push_back(point); });
        }
        this->touchedDataPointPublisher.send(touched);
    }

    // The touch of a chart of one data set: the point whose section, among
    // the set's points along `length`, holds `position` (the touch's x, or
    // its y when the bars lie horizontally) becomes the touched point,
    // tagged with the set's legend title. Nothing happens when none does.
    void touchPointInSection(double position, double length, kit::Point touchLocation,
                             const kit::Rect& chartSize) requires CTStandardBarChartDataSet<SetType>
    {
        const std::optional<BarSection> section = barSection(position, length, this->dataSets->dataPoints.size());
        if (!section)
            return;
        recordTouchedPoint(
            [i = section->index](auto& set) -> auto& { return set.dataPoints[i]; }, this->dataSets->legendTitle,
            touchLocation, chartSize);
    }

private:
    void appendLegend(const kit::UUID& id, const std::string& legend, const ColourStyle& colour)
    {
        if (const std::optional<ColourStyle> entryColour = legendColour(colour)) {
            LegendData entry(id, legend, *entryColour, std::nullopt, 1, ChartType::bar);
            this->legends.modify([&](std::vector<LegendData>& legends) { legends.push_back(std::move(entry)); });
        }
    }

    // The extra line's touched point as a point of this chart.
    static DataPoint extraLinePoint(const ExtraLineDataPoint& extra, const std::string& legendTitle)
    {
        const ColourStyle red(kit::Color::red());
        if constexpr (CTMultiBarDataPoint<DataPoint>) {
            DataPoint point(extra.value, extra.pointDescription, std::nullopt, GroupingData(legendTitle, red));
            point.legendTag = legendTitle;
            return point;
        } else if constexpr (CTRangedBarDataPoint<DataPoint>) {
            DataPoint point(extra.value, extra.value, std::nullopt, extra.pointDescription, std::nullopt, red);
            point.legendTag = legendTitle;
            point._value = extra.value;
            point._valueOnly = true;
            return point;
        } else {
            DataPoint point(extra.value, std::nullopt, extra.pointDescription, std::nullopt, red);
            point.legendTag = legendTitle;
            return point;
        }
    }
};

} // namespace charts
