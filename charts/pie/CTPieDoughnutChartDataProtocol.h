#pragma once

namespace charts {

// Marks the pie and doughnut chart-data classes.
struct CTPieDoughnutChartDataProtocol {};
// Marks PieChartData.
struct CTPieChartDataProtocol : CTPieDoughnutChartDataProtocol {};
// Marks DoughnutChartData.
struct CTDoughnutChartDataProtocol : CTPieDoughnutChartDataProtocol {};

} // namespace charts
