#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/core/DataFunctions.h"
#include "charts/core/DataSetProtocols.h"

#include <variant>

namespace charts {

// Chart data with axes whose data set answers the data functions (its
// largest, smallest and average value): its value range can be worked out.
template <class T>
concept ValueRangeChartData = LineBarChartDataObject<T> && DataFunctionsProtocol<typename T::SetType>;

// The lowest value of the value axis, by the style's baseline: 0; the data's
// smallest value; or the given value unless the data fall below it (the
// data win a tie). A smallest value that is not a number is passed through.
inline double lowestValueFor(const Baseline& baseline, double smallest)
{
    if (const auto* withMaximum = std::get_if<Baseline::MinimumWithMaximum>(&baseline.value))
        return smallest > withMaximum->of ? withMaximum->of : smallest;
    return smallest;
}

// The highest value of the value axis, by the style's top line: the data's
// largest value, or the given value unless the data rise above it. A
// largest value that is not a number is passed through.
inline double highestValueFor(const Topline& topLine, double largest)
{
    if (const auto* maximum = std::get_if<Topline::Maximum>(&topLine.value))
        return largest <= maximum->of ? maximum->of : largest;
    return largest;
}

// The lowest value of the value axis (lowestValueFor). Nothing is cached:
// every call reads the current style and data sets.
template <ValueRangeChartData ChartData>
double lowestChartValue(const ChartData& chartData)
{
    const Baseline& baseline = chartData.chartStyle->baseline;
    if (std::holds_alternative<Baseline::Zero>(baseline.value))
        return 0;
    return lowestValueFor(baseline, chartData.dataSets->smallestValue());
}

// The highest value of the value axis (highestValueFor).
template <ValueRangeChartData ChartData>
double highestChartValue(const ChartData& chartData)
{
    return highestValueFor(chartData.chartStyle->topLine, chartData.dataSets->largestValue());
}

// Both ends of the value axis, as lowestChartValue and highestChartValue
// give them: from one pass over the points where the data set gives both of
// its ends at once (valueEnds) and both are read from the data.
struct ChartValueEnds {
    double lowest = 0;
    double highest = 0;
};

template <ValueRangeChartData ChartData>
ChartValueEnds chartValueEnds(const ChartData& chartData)
{
    const auto& set = chartData.dataSets.get();
    if constexpr (requires { set.valueEnds(); }) {
        const Baseline& baseline = chartData.chartStyle->baseline;
        if (!std::holds_alternative<Baseline::Zero>(baseline.value)) {
            // Chart data that reads its set's ends along with more of its points gives them itself.
            ValueEnds ends;
            if constexpr (requires { chartData.dataSetValueEnds(); })
                ends = chartData.dataSetValueEnds();
            else
                ends = set.valueEnds();
            return {lowestValueFor(baseline, ends.smallest),
                    highestValueFor(chartData.chartStyle->topLine, ends.largest)};
        }
    }
    return {lowestChartValue(chartData), highestChartValue(chartData)};
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
