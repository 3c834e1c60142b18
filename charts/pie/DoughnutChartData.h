#pragma once

#include "charts/pie/CTPieDoughnutChartDataProtocol.h"
#include "charts/pie/PieDoughnutChartData.h"

namespace charts {

// The chart data behind a doughnut chart: the pie chart data with the
// doughnut's style. Its chart type and legend entries are those of a pie.
class DoughnutChartData : public PieDoughnutChartData<DoughnutChartStyle>, public CTDoughnutChartDataProtocol {
public:
    DoughnutChartData(PieDataSet dataSets, ChartMetadata metadata, DoughnutChartStyle chartStyle, kit::View noDataText)
        : PieDoughnutChartData(std::move(dataSets), std::move(metadata), std::move(chartStyle), std::move(noDataText))
    {
    }
};

} // namespace charts
