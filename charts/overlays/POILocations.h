#pragma once

#include "charts/core/DataFunctions.h"
#include "charts/overlays/PointOfInterestProtocol.h"
#include "kit/base/Point.h"
#include "kit/base/Rect.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace charts {

// Where the lines and labels of points of interest stand, in the chart's
// own coordinates (origin at the top leading corner, y down); only the
// chart rectangle's width W and height H are read. Nothing is clamped: a
// value or index beyond the axis gives a point outside the chart.

// How far up the value axis `value` lies: 0 at the lowest value, 1 at the
// highest; 0 for a range of 0.
inline double poiValueFraction(double value, double minValue, double range)
{
    return range == 0 ? 0 : (value - minValue) / range;
}

// Where data point `index` of `count` stands along a category axis of
// `length`: the middle of its slot of length / count (bar spacing), or
// length / (count − 1) × index (line spacing). A line of one point or none
// stands at 0; bars without a slot have no place (not a number).
inline double poiSlotPosition(CategorySpacing spacing, std::int64_t index, std::int64_t count, double length)
{
    const double i = static_cast<double>(index);
    if (spacing == CategorySpacing::line)
        return count <= 1 ? 0 : length / static_cast<double>(count - 1) * i;
    if (count <= 0)
        return std::numeric_limits<double>::quiet_NaN();
    const double slot = length / static_cast<double>(count);
    return slot * i + slot * 0.5;
}

// The middle of the value marker: on the horizontal line at the value, half
// way across; across a horizontal bar chart, on the vertical line at the
// value, half way down. The centre label stands there too.
template <PointOfInterestProtocol ChartData>
kit::Point poiMarkerLocation(const ChartData&, const kit::Rect& chartSize, double value, double minValue, double range)
{
    const double fraction = poiValueFraction(value, minValue, range);
    const double w = chartSize.width(), h = chartSize.height();
    if constexpr (HorizontalChartData<ChartData>)
        return {fraction * w, h * 0.5};
    else
        return {w * 0.5, h - fraction * h};
}

template <PointOfInterestProtocol ChartData>
kit::Point poiCenterLabelLocation(const ChartData& chartData, const kit::Rect& chartSize, double value, double minValue,
                                  double range)
{
    return poiMarkerLocation(chartData, chartSize, value, minValue, range);
}

// The centre of the value's axis label: level with the marker, outside the
// chart beside the value labels, 4 points beyond half the widest measured
// y-axis label (the leading or trailing side, as they stand); on a
// horizontal bar chart below or above the chart, 4 points beyond half the
// tallest measured x-axis label.
template <PointOfInterestProtocol ChartData>
kit::Point poiAxisLabelLocation(const ChartData& chartData, const kit::Rect& chartSize, double markerValue,
                                double minValue, double range)
{
    const double fraction = poiValueFraction(markerValue, minValue, range);
    const double w = chartSize.width(), h = chartSize.height();
    const auto& style = *chartData.chartStyle;
    const ChartViewData& viewData = *chartData.viewData;
    if constexpr (HorizontalChartData<ChartData>) {
        const double half = largestOf(viewData.xAxisLabelHeights).value_or(0) / 2;
        return {fraction * w, style.xAxisLabelPosition == XAxisLabelPosistion::bottom ? h + half + 4.0 : -half - 4.0};
    } else {
        const double half = largestOf(viewData.yAxisLabelWidth).value_or(0) / 2;
        return {style.yAxisLabelPosition == YAxisLabelPosistion::trailing ? w + half + 4.0 : -half - 4.0,
                h - fraction * h};
    }
}

// The middle of the marker at data point `markerValue` of `dataPointCount`:
// at the point's place along the width (by the chart's spacing), half way
// down; on a horizontal bar chart at its place down the height (bar
// spacing, from the top), half way across. The centre label stands there too.
template <PointOfInterestProtocol ChartData>
kit::Point poiAbscissaMarkerLocation(const ChartData&, std::int64_t markerValue, std::int64_t dataPointCount,
                                     const kit::Rect& chartSize)
{
    const double w = chartSize.width(), h = chartSize.height();
    if constexpr (HorizontalChartData<ChartData>)
        return {w * 0.5, poiSlotPosition(CategorySpacing::bar, markerValue, dataPointCount, h)};
    else
        return {poiSlotPosition(ChartData::categorySpacing, markerValue, dataPointCount, w), h * 0.5};
}

template <PointOfInterestProtocol ChartData>
kit::Point poiAbscissaCenterLabelLocation(const ChartData& chartData, std::int64_t markerValue,
                                          std::int64_t dataPointCount, const kit::Rect& chartSize)
{
    return poiAbscissaMarkerLocation(chartData, markerValue, dataPointCount, chartSize);
}

// The centre of the data point's axis label, outside the chart beside the
// category labels, level with its marker: below or above the chart, 10
// points beyond half the tallest measured x-axis label; on a horizontal bar
// chart trailing, 8 points beyond half the widest measured x-axis label, or
// leading, 8 points beyond half the tallest.
template <PointOfInterestProtocol ChartData>
kit::Point poiAbscissaAxisLabelLocation(const ChartData& chartData, std::int64_t markerValue,
                                        std::int64_t dataPointCount, const kit::Rect& chartSize)
{
    const double w = chartSize.width(), h = chartSize.height();
    const auto& style = *chartData.chartStyle;
    const ChartViewData& viewData = *chartData.viewData;
    if constexpr (HorizontalChartData<ChartData>) {
        const double x = style.yAxisLabelPosition == YAxisLabelPosistion::trailing
                             ? w + largestOf(viewData.xAxislabelWidths).value_or(0) / 2 + 8.0
                             : -(largestOf(viewData.xAxisLabelHeights).value_or(0) / 2) - 8.0;
        return {x, poiSlotPosition(CategorySpacing::bar, markerValue, dataPointCount, h)};
    } else {
        const double half = largestOf(viewData.xAxisLabelHeights).value_or(0) / 2;
        return {poiAbscissaMarkerLocation(chartData, markerValue, dataPointCount, chartSize).x,
                style.xAxisLabelPosition == XAxisLabelPosistion::bottom ? h + half + 10.0 : -half - 10.0};
    }
}

} // namespace charts
