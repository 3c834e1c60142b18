#pragma once

#include "charts/core/DataSetProtocols.h"
#include "charts/core/PointStyle.h"
#include "charts/line/LineStyleProtocols.h"

#include <concepts>
#include <string>

namespace charts {

// One line: its points, its legend text (the tag of its touched points), its
// line style and its point-marker style.
template <class T>
concept CTLineChartDataSet = CTSingleDataSetProtocol<T> && requires(T set)
{
    {
        set.legendTitle
        } -> std::same_as<std::string&>;
    {
        set.pointStyle
        } -> std::same_as<PointStyle&>;
    requires CTLineStyle<std::remove_cvref_t<decltype(set.style)>>;
};

// A line with a band, whose fill has a legend text of its own.
template <class T>
concept CTRangedLineChartDataSet = CTLineChartDataSet<T> && requires(T set)
{
    {
        set.legendFillTitle
        } -> std::same_as<std::string&>;
};

// Several lines drawn over one pair of axes.
template <class T>
concept CTMultiLineChartDataSet = CTMultiDataSetProtocol<T> && CTLineChartDataSet<typename T::DataSet>;

} // namespace charts
