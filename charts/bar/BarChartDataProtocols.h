#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/bar/BarChartStyle.h"
#include "charts/bar/BarStyle.h"
#include "charts/bar/MultiBarDataPoints.h"
#include "charts/core/CTLineBarChartDataProtocol.h"

#include <vector>

namespace charts {

// The chart-data protocols of the bar charts: the bar chart data and its
// three refinements, for the grouped and stacked, the ranged and the
// horizontal charts.

// Chart data of bar charts: chart data with axes, styled by a bar chart
// style, that keeps the style of its bars.
template <class SetTypeT, class SetPointT, class DataPointT, class StyleT, class BarStyleT>
class CTBarChartDataProtocol : public CTLineBarChartDataProtocol<SetTypeT, SetPointT, DataPointT, StyleT> {
public:
    static_assert(CTBarChartStyle<StyleT>);
    static_assert(CTBarStyle<BarStyleT>);
    using BarStyle = BarStyleT;

    kit::Published<BarStyleT> barStyle;

protected:
    CTBarChartDataProtocol(SetTypeT dataSets, ChartMetadata metadata, StyleT chartStyle, kit::View noDataText,
                           ChartKind chartType, BarStyleT barStyle)
        : CTLineBarChartDataProtocol<SetTypeT, SetPointT, DataPointT, StyleT>(std::move(dataSets), std::move(metadata),
                                                                              std::move(chartStyle),
                                                                              std::move(noDataText), chartType),
          barStyle(this, std::move(barStyle))
    {
    }
};

// Chart data of grouped and stacked bar charts: bar chart data that keeps
// the groups its bars belong to, in the caller's order.
template <class SetTypeT, class SetPointT, class DataPointT, class StyleT, class BarStyleT>
class CTMultiBarChartDataProtocol : public CTBarChartDataProtocol<SetTypeT, SetPointT, DataPointT, StyleT, BarStyleT> {
public:
    kit::Published<std::vector<GroupingData>> groups;

protected:
    CTMultiBarChartDataProtocol(SetTypeT dataSets, ChartMetadata metadata, StyleT chartStyle, kit::View noDataText,
                                ChartKind chartType, BarStyleT barStyle, std::vector<GroupingData> groups)
        : CTBarChartDataProtocol<SetTypeT, SetPointT, DataPointT, StyleT, BarStyleT>(std::move(dataSets),
                                                                                     std::move(metadata),
                                                                                     std::move(chartStyle),
                                                                                     std::move(noDataText), chartType,
                                                                                     std::move(barStyle)),
          groups(this, std::move(groups))
    {
    }
};

// Chart data of ranged bar charts: bar chart data whose bars span from a
// lower to an upper value. It asks nothing more of a class.
template <class SetTypeT, class SetPointT, class DataPointT, class StyleT, class BarStyleT>
class CTRangedBarChartDataProtocol : public CTBarChartDataProtocol<SetTypeT, SetPointT, DataPointT, StyleT, BarStyleT> {
protected:
    using CTBarChartDataProtocol<SetTypeT, SetPointT, DataPointT, StyleT, BarStyleT>::CTBarChartDataProtocol;
};

// Chart data of horizontal bar charts: bar chart data whose bars lie
// horizontally. It asks nothing more of a class.
template <class SetTypeT, class SetPointT, class DataPointT, class StyleT, class BarStyleT>
class CTHorizontalBarChartDataProtocol
    : public CTBarChartDataProtocol<SetTypeT, SetPointT, DataPointT, StyleT, BarStyleT>,
      public isHorizontal {
protected:
    using CTBarChartDataProtocol<SetTypeT, SetPointT, DataPointT, StyleT, BarStyleT>::CTBarChartDataProtocol;
};

} // namespace charts
