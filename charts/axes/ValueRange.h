#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/core/DataSetProtocols.h"

#include <variant>

namespace charts {

// Chart data with axes whose data set answers the data functions (its
// largest, smallest and average value): its value range can be worked out.
template <class T>
concept ValueRangeChartData = LineBarChartDataObject<T> && DataFunctionsProtocol<typename T::SetType>;

// The lowest value of the value axis, by the style's baseline: 0; the data's
// smallest value; or the given value unless the data fall below it (the
// data win a tie). Nothing is cached: every call reads the current style and
// data sets. A smallest value that is not a number is passed through.
template <ValueRangeChartData ChartData>
double lowestChartValue(const ChartData& chartData)
{
    const Baseline& baseline = chartData.chartStyle->baseline;
    if (std::holds_alternative<Baseline::Zero>(baseline.value))
        return 0;
    const double smallest = chartData.dataSets->smallestValue();
    if (const auto* withMaximum = std::get_if<Baseline::MinimumWithMaximum>(&baseline.value))
        return smallest > withMaximum->of ? withMaximum->of : smallest;
    return smallest;
}

// The highest value of the value axis, by the style's top line: the data's
// largest value, or the given value unless the data rise above it. A
// largest value that is not a number is passed through.
template <ValueRangeChartData ChartData>
double highestChartValue(const ChartData& chartData)
{
    const Topline& topLine = chartData.chartStyle->topLine;
    const double largest = chartData.dataSets->largestValue();
    if (const auto* maximum = std::get_if<Topline::Maximum>(&topLine.value))
        return largest <= maximum->of ? maximum->of : largest;
    return largest;
}

// Highest minus lowest value, each worked out afresh, lowest first. Not
// clamped: 0 when both ends meet, negative when the lowest lies above the
// highest.
template <ValueRangeChartData ChartData>
double chartValueRange(const ChartData& chartData)
{
    const double lowest = lowestChartValue(chartData);
    const double highest = highestChartValue(chartData);
    return highest - lowest;
}

// The mean of the data, as the data set works it out (not a number for a
// set with nothing to count).
template <ValueRangeChartData ChartData>
double chartAverageValue(const ChartData& chartData)
{
    return chartData.dataSets->averageValue();
}

} // namespace charts
