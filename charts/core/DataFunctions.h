#pragma once

#include "charts/core/DataSetProtocols.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <type_traits>
#include <vector>

namespace charts {

// Data sets whose points have one value, and those whose points are ranges.
template <class T>
concept StandardDataSet = CTSingleDataSetProtocol<T> && CTStandardDataPointProtocol<typename T::DataPoint> &&
    std::derived_from<typename T::DataPoint, CTnotRanged>;
template <class T>
concept RangedDataSet = CTSingleDataSetProtocol<T> && CTRangeDataPointProtocol<typename T::DataPoint> &&
    std::derived_from<typename T::DataPoint, CTisRanged>;
// A line: a data set of values whose style may leave out values of exactly 0
// from its smallest value.
template <class T>
concept IgnoreZeroDataSet = StandardDataSet<T> && requires(const T& set)
{
    {
        set.style.ignoreZero
        } -> std::convertible_to<bool>;
};
// A set of lines.
template <class T>
concept IgnoreZeroMultiDataSet = CTMultiDataSetProtocol<T> && IgnoreZeroDataSet<typename T::DataSet>;

// Largest and smallest keep the first element and replace it only by a
// strictly larger (smaller) one, so ties keep the earlier value.
inline std::optional<double> largestOf(const std::vector<double>& values)
{
    if (values.empty())
        return std::nullopt;
    return *std::max_element(values.begin(), values.end());
}

inline std::optional<double> smallestOf(const std::vector<double>& values)
{
    if (values.empty())
        return std::nullopt;
    return *std::min_element(values.begin(), values.end());
}

// The points' values in point order, read through `value` (a member pointer
// or any projection of a point).
template <CTSingleDataSetProtocol Set, class Projection>
std::vector<double> pointValues(const Set& set, Projection value)
{
    std::vector<double> values;
    values.reserve(set.dataPoints.size());
    for (const auto& point : set.dataPoints)
        values.push_back(std::invoke(value, point));
    return values;
}

// The largest and smallest of the points' values read through `value` (a
// member pointer or any projection of a point), ties keeping the earlier
// value as largestOf and smallestOf do, read in one pass over the points
// (a line of 100,000 points is not copied into a list of values first).
// `skipZero` leaves out values of exactly 0.
template <CTSingleDataSetProtocol Set, class Projection>
std::optional<double> largestPointValue(const Set& set, Projection value)
{
    std::optional<double> largest;
    for (const auto& point : set.dataPoints)
        if (const double v = std::invoke(value, point); !largest || *largest < v)
            largest = v;
    return largest;
}

template <CTSingleDataSetProtocol Set, class Projection>
std::optional<double> smallestPointValue(const Set& set, Projection value, bool skipZero = false)
{
    std::optional<double> smallest;
    for (const auto& point : set.dataPoints)
        if (const double v = std::invoke(value, point); !(skipZero && v == 0.0) && (!smallest || v < *smallest))
            smallest = v;
    return smallest;
}

template <CTSingleDataSetProtocol Set>
bool setHasPoints(const Set& set)
{
    return set.dataPoints.size() > 0;
}

template <CTSingleDataSetProtocol Set>
bool setHasSeveralPoints(const Set& set)
{
    return set.dataPoints.size() > 1;
}

template <StandardDataSet Set>
std::optional<double> setLargestValue(const Set& set)
{
    return largestPointValue(set, &Set::DataPoint::value);
}

template <StandardDataSet Set>
std::optional<double> setSmallestValue(const Set& set)
{
    return smallestPointValue(set, &Set::DataPoint::value);
}

// The smallest value of a line, leaving out values of exactly 0 when the
// line's style says so; none when no value is left.
template <IgnoreZeroDataSet Set>
std::optional<double> setSmallestValueIgnoringZero(const Set& set)
{
    return smallestPointValue(set, &Set::DataPoint::value, set.style.ignoreZero);
}

// The sum of the values over their count, with no guard: a set without
// points gives 0 / 0, not a number.
template <StandardDataSet Set>
double setAverageValue(const Set& set)
{
    double sum = 0;
    for (const auto& point : set.dataPoints)
        sum += point.value;
    return sum / static_cast<double>(set.dataPoints.size());
}

// The running sum of the ranges' spans, from 0.
template <RangedDataSet Set>
double spanSum(const Set& set)
{
    double sum = 0;
    for (const auto& point : set.dataPoints)
        sum += point.upperValue - point.lowerValue;
    return sum;
}

// Chart data holding one data set, or a set of data sets.
template <class ChartData>
bool hasDataPoints(const ChartData& chartData)
{
    return setHasPoints(chartData.dataSets.get());
}

template <class ChartData>
bool hasMultipleDataPoints(const ChartData& chartData)
{
    return setHasSeveralPoints(chartData.dataSets.get());
}

template <class ChartData>
bool anySetHasDataPoints(const ChartData& chartData)
{
    const auto& sets = chartData.dataSets.get().dataSets;
    return std::any_of(sets.begin(), sets.end(), [](const auto& set) { return setHasPoints(set); });
}

template <class ChartData>
bool anySetHasMultipleDataPoints(const ChartData& chartData)
{
    const auto& sets = chartData.dataSets.get().dataSets;
    return std::any_of(sets.begin(), sets.end(), [](const auto& set) { return setHasSeveralPoints(set); });
}

// The numeric functions every data set kind takes by default. A set without
// points gives 0 for its largest and smallest values and not a number for
// its average.

template <StandardDataSet Set>
double largestValueOf(const Set& set)
{
    return setLargestValue(set).value_or(0);
}

template <StandardDataSet Set>
double smallestValueOf(const Set& set)
{
    return setSmallestValue(set).value_or(0);
}

template <IgnoreZeroDataSet Set>
double smallestValueOf(const Set& set)
{
    return setSmallestValueIgnoringZero(set).value_or(0);
}

// The smallest and the largest value of a line, as smallestValueOf and
// largestValueOf give them (zeros left out of the smallest when the line's
// style ignores them, 0 for an end with no value), read in one pass over
// its points rather than two.
struct ValueEnds {
    double smallest = 0;
    double largest = 0;
};

// The ends of values taken one by one, as valueEndsOf takes a line's (zeros
// left out of the smallest when `skipZero`).
class ValueEndsReader {
public:
    explicit ValueEndsReader(bool skipZero) : skipZero_(skipZero) {}

    void add(double v)
    {
        if (!hasLargest_ || largest_ < v) {
            largest_ = v;
            hasLargest_ = true;
        }
        if (!(skipZero_ && v == 0.0) && (!hasSmallest_ || v < smallest_)) {
            smallest_ = v;
            hasSmallest_ = true;
        }
    }
    ValueEnds ends() const { return {hasSmallest_ ? smallest_ : 0, hasLargest_ ? largest_ : 0}; }

private:
    bool skipZero_;
    bool hasSmallest_ = false, hasLargest_ = false;
    double smallest_ = 0, largest_ = 0;
};

template <IgnoreZeroDataSet Set>
ValueEnds valueEndsOf(const Set& set)
{
    ValueEndsReader reader(set.style.ignoreZero);
    for (const auto& point : set.dataPoints)
        reader.add(point.value);
    return reader.ends();
}

template <StandardDataSet Set>
double averageValueOf(const Set& set)
{
    return setAverageValue(set);
}

template <RangedDataSet Set>
double largestValueOf(const Set& set)
{
    return largestPointValue(set, &Set::DataPoint::upperValue).value_or(0);
}

template <RangedDataSet Set>
double smallestValueOf(const Set& set)
{
    return smallestPointValue(set, &Set::DataPoint::lowerValue).value_or(0);
}

template <RangedDataSet Set>
double averageValueOf(const Set& set)
{
    return spanSum(set) / static_cast<double>(set.dataPoints.size());
}

// Sets of sets: the largest (smallest) of the inner sets' results, inner
// sets without a result left out, 0 when none is left; for a set of lines
// the smallest is 100 when no line yields a value. The average is the mean
// of the inner sets' means.

// The results of `innerValue` for the inner sets that have one, in order.
template <CTMultiDataSetProtocol Set, class InnerValue>
std::vector<double> innerSetValues(const Set& set, InnerValue innerValue)
{
    std::vector<double> values;
    for (const auto& inner : set.dataSets)
        if (const std::optional<double> value = innerValue(inner))
            values.push_back(*value);
    return values;
}

template <CTMultiDataSetProtocol Set>
double largestValueOf(const Set& set)
{
    return largestOf(innerSetValues(set, [](const auto& inner) { return setLargestValue(inner); })).value_or(0);
}

template <CTMultiDataSetProtocol Set>
double smallestValueOf(const Set& set)
{
    return smallestOf(innerSetValues(set, [](const auto& inner) { return setSmallestValue(inner); })).value_or(0);
}

template <IgnoreZeroMultiDataSet Set>
double smallestValueOf(const Set& set)
{
    return smallestOf(innerSetValues(set, [](const auto& inner) { return setSmallestValueIgnoringZero(inner); }))
        .value_or(100);
}

template <CTMultiDataSetProtocol Set>
double averageValueOf(const Set& set)
{
    double sum = 0;
    for (const auto& inner : set.dataSets)
        sum += setAverageValue(inner);
    return sum / static_cast<double>(set.dataSets.size());
}

} // namespace charts
