#pragma once

#include "charts/axes/ValueRange.h"
#include "charts/core/ChartEnums.h"
#include "charts/core/ExtraLineTouchMarker.h"
#include "charts/line/LineDataSets.h"
#include "charts/line/PosistionIndicator.h"
#include "charts/line/TouchPointOnLinePath.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/View.h"

#include <concepts>
#include <optional>
#include <type_traits>
#include <vector>

namespace charts {

namespace detail {

// The marker a touch draws on one line of a line chart, chosen by the chart
// style's markerType (read once): a PosistionIndicator dot where the touch
// meets the drawn line; a marker shape across the chart on the drawn line
// (with its dot) or on the nearest data point (the chart's
// touchPointLocation, without a dot); or nothing. The position on the line
// is worked out, from the chart's lowest value and value range and the
// set's ignoreZero, only for the markers that use it. A line without length
// shows no marker on the line, and a touch without a nearest point none at
// the point. One rule for every line chart-data class.
template <class ChartData, class DataPoint, class DataSet>
kit::View touchMarkerOnLine(const ChartData& chartData, const std::vector<DataPoint>& dataPoints, LineType lineType,
                            const kit::Rect& chartSize, kit::Point touchLocation, const DataSet& dataSet)
{
    const LineMarkerType markerType = chartData.chartStyle->markerType;
    return lineTouchMarkerView(
        markerType,
        [&]() -> std::optional<kit::Point> {
            const double minValue = lowestChartValue(chartData);
            const double range = chartValueRange(chartData);
            return touchPointOnLinePath(dataPoints, lineType, dataSet.style.ignoreZero, chartSize, touchLocation,
                                        minValue, range);
        },
        [&] { return chartData.touchPointLocation(dataSet, touchLocation, chartSize); }, posistionIndicatorDot);
}

} // namespace detail

// The touch marker of one line of a single or multi-line chart (a chart
// whose lines are LineDataSets of LineChartDataPoints).
template <class ChartData>
kit::View lineTouchMarker(const ChartData& chartData, const std::vector<LineChartDataPoint>& dataPoints,
                          LineType lineType, const kit::Rect& chartSize, kit::Point touchLocation,
                          const LineDataSet& dataSet)
{
    return detail::touchMarkerOnLine(chartData, dataPoints, lineType, chartSize, touchLocation, dataSet);
}

// The touch marker of the line of a ranged line chart: the same marker, its
// ignoreZero taken from the RangedLineStyle.
template <class ChartData>
kit::View rangedLineTouchMarker(const ChartData& chartData, const std::vector<RangedLineChartDataPoint>& dataPoints,
                                LineType lineType, const kit::Rect& chartSize, kit::Point touchLocation,
                                const RangedLineDataSet& dataSet)
{
    return detail::touchMarkerOnLine(chartData, dataPoints, lineType, chartSize, touchLocation, dataSet);
}

// The chart's extra line's marker, to go after the lines' own; nothing
// without an extra line.
template <class ChartData>
kit::View extraLineMarker(const ChartData& chartData, kit::Point touchLocation, const kit::Rect& chartSize)
{
    if (!chartData.extraLineData->has_value())
        return kit::EmptyView();
    return extraLineTouchMarker(**chartData.extraLineData, touchLocation, chartSize, posistionIndicatorDot);
}

// The touch view of a chart of one line: the line's marker, then the extra
// line's.
template <class ChartData>
kit::View singleLineTouchMarker(const ChartData& chartData, kit::Point touchLocation, const kit::Rect& chartSize)
{
    const auto& set = *chartData.dataSets;
    const kit::View line = [&] {
        if constexpr (std::same_as<std::decay_t<decltype(set)>, RangedLineDataSet>)
            return rangedLineTouchMarker(chartData, set.dataPoints, set.style.lineType, chartSize, touchLocation, set);
        else
            return lineTouchMarker(chartData, set.dataPoints, set.style.lineType, chartSize, touchLocation, set);
    }();
    return kit::ZStack(kit::Alignment::center(), {line, extraLineMarker(chartData, touchLocation, chartSize)});
}

} // namespace charts
