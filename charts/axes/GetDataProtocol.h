#pragma once

#include "charts/axes/ValueRange.h"

#include <concepts>
#include <cstdint>

namespace charts {

// Chart data that knows its value axis: lowest and highest value, their
// difference, and the mean of its data. Computed on every call.
template <class T>
concept GetDataProtocol = requires(const T& chartData)
{
    {
        chartData.range()
        } -> std::same_as<double>;
    {
        chartData.minValue()
        } -> std::same_as<double>;
    {
        chartData.maxValue()
        } -> std::same_as<double>;
    {
        chartData.average()
        } -> std::same_as<double>;
};

// The shared answers of GetDataProtocol, for a chart-data class `Derived`
// that inherits them: the value range of its style and data sets, and the
// data set's own average. A class whose mean differs declares its own
// average(), which hides this one. The lowest and highest values are worked
// out again, together, only after a write to the data sets or the style (each
// bar of a chart asks for them).
//
//   class BarChartData : public ..., public GetDataFromDataSets<BarChartData> { ... };
template <class Derived>
class GetDataFromDataSets {
public:
    double range() const { return maxValue() - minValue(); }
    double minValue() const { return remembered().lowest; }
    double maxValue() const { return remembered().highest; }
    double average() const { return chartAverageValue(self()); }

private:
    // Both ends, worked out together for the data sets and style at these
    // versions.
    struct Remembered {
        bool known = false;
        std::uint64_t dataSets = 0;
        std::uint64_t style = 0;
        ChartValueEnds ends;
    };
    mutable Remembered ends_;

    const ChartValueEnds& remembered() const
    {
        const Derived& d = self();
        if (!ends_.known || ends_.dataSets != d.dataSets.version() || ends_.style != d.chartStyle.version())
            ends_ = {.known = true,
                     .dataSets = d.dataSets.version(),
                     .style = d.chartStyle.version(),
                     .ends = chartValueEnds(d)};
        return ends_.ends;
    }

    const Derived& self() const { return static_cast<const Derived&>(*this); }
};

} // namespace charts
