#include "charts/overlays/ExtraLineLegend.h"

namespace charts {

bool isExtraLineLegend(const LegendData& legend, const ExtraLineData& extraLine, const ColourStyle& colour)
{
    return kit::equalAfterNFC(legend.legend, extraLine.legendTitle) && legend.colour == colour && legend.prioity == 3 &&
           legend.chartType == ChartType::line;
}

} // namespace charts
