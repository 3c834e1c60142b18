#pragma once

#include "charts/axes/ValueRange.h"

#include <concepts>

namespace charts {

// Chart data that knows its value axis: lowest and highest value, their
// difference, and the mean of its data. Computed on every call.
template <class T>
concept GetDataProtocol = requires(const T& chartData) {
    { chartData.range() } -> std::same_as<double>;
    { chartData.minValue() } -> std::same_as<double>;
    { chartData.maxValue() } -> std::same_as<double>;
    { chartData.average() } -> std::same_as<double>;
};

// The shared answers of GetDataProtocol, for a chart-data class `Derived`
// that inherits them: the value range of its style and data sets, and the
// data set's own average. A class whose mean differs declares its own
// average(), which hides this one.
//
//   class BarChartData : public ..., public GetDataFromDataSets<BarChartData> { ... };
template <class Derived>
class GetDataFromDataSets {
public:
    double range() const { return chartValueRange(self()); }
    double minValue() const { return lowestChartValue(self()); }
    double maxValue() const { return highestChartValue(self()); }
    double average() const { return chartAverageValue(self()); }

private:
    const Derived& self() const { return static_cast<const Derived&>(*this); }
};

} // namespace charts
