#pragma once

#include "charts/bar/CTBarChartStyle.h"
#include "charts/bar/CTBarStyle.h"
#include "charts/core/CTLineBarChartDataProtocol.h"

namespace charts {

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

} // namespace charts
