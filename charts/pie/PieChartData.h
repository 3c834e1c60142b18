#pragma once

#include "charts/pie/CTPieDoughnutChartDataProtocol.h"
#include "charts/pie/PieDoughnutChartData.h"

namespace charts {

// The chart data behind a pie chart. Made complete by its initializer: each
// slice's wedge and the legend entries are worked out then, and only then
// (assigning dataSets later recomputes neither).
//
//   auto data = std::make_shared<charts::PieChartData>(dataSet, metadata, style, kit::Text(...));
class PieChartData : public PieDoughnutChartData<PieChartStyle>, public CTPieChartDataProtocol {
public:
    PieChartData(PieDataSet dataSets, ChartMetadata metadata, PieChartStyle chartStyle, kit::View noDataText)
        : PieDoughnutChartData(std::move(dataSets), std::move(metadata), std::move(chartStyle), std::move(noDataText))
    {
    }
};

} // namespace charts
