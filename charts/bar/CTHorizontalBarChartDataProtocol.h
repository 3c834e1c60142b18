#pragma once

#include "charts/axes/isHorizontal.h"
#include "charts/bar/CTBarChartDataProtocol.h"

namespace charts {

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
