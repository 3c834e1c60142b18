#pragma once

#include "charts/bar/CTBarChartDataProtocol.h"

namespace charts {

// Chart data of ranged bar charts: bar chart data whose bars span from a
// lower to an upper value. It asks nothing more of a class.
template <class SetTypeT, class SetPointT, class DataPointT, class StyleT, class BarStyleT>
class CTRangedBarChartDataProtocol : public CTBarChartDataProtocol<SetTypeT, SetPointT, DataPointT, StyleT, BarStyleT> {
protected:
    using CTBarChartDataProtocol<SetTypeT, SetPointT, DataPointT, StyleT, BarStyleT>::CTBarChartDataProtocol;
};

} // namespace charts
