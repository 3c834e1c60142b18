#pragma once

#include "charts/bar/BarDataPointProtocols.h"
#include "charts/core/DataSetProtocols.h"

#include <concepts>
#include <string>

namespace charts {

// The one data set of a standard, horizontal or ranged bar chart, with the
// title of its legend entry.
template <class T>
concept CTStandardBarChartDataSet = CTSingleDataSetProtocol<T> && requires(T set)
{
    {
        set.legendTitle
        } -> std::same_as<std::string&>;
};

// The data set of a ranged bar chart: its points are ranges.
template <class T>
concept CTRangedBarChartDataSet = CTStandardBarChartDataSet<T> && CTRangedBarDataPoint<typename T::DataPoint>;

// One cluster of a grouped chart or one column of a stacked chart, with its title.
template <class T>
concept CTMultiBarChartDataSet = CTSingleDataSetProtocol<T> && requires(T set)
{
    {
        set.setTitle
        } -> std::same_as<std::string&>;
};

} // namespace charts
