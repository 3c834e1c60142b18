#pragma once

#include "charts/bar/CTBarChartDataProtocol.h"
#include "charts/bar/GroupingData.h"

#include <vector>

namespace charts {

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

} // namespace charts
