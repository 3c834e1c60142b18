#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/overlays/TouchBoxPlacement.h"

#include <tuple>

namespace charts {

// The floating info box of a chart whose categories run down its height:
// while the style places touched values `floating`, the touch overlay box
// stands centred on the chart's trailing edge (then 6 points further right)
// at the chart data's infoBoxPosition for the touch's y. Any other placement
// leaves the chart unchanged.
template <HorizontalChartData ChartData>
struct HorizontalFloatingInfoBox {
    kit::ObservedObject<ChartData> chartData;
    kit::State<kit::Rect> boxFrame{kit::Rect(0, 0, 70, 70)};

    auto dynamicFields() { return std::tie(chartData, boxFrame); }

    kit::View body(const kit::View& content) const
    {
        const ChartData& data = *chartData;
        if (!data.chartStyle->infoBoxPlacement.template is<InfoBoxPlacement::Floating>())
            return kit::Group({content});
        const double x = data.infoView->chartSize.width();
        const double y = infoBoxCentre(data, data.infoView->touchLocation.y, *boxFrame);
        const kit::View box = touchBoxOverChart(chartData.object(), boxFrame,
                                                [x, y](const kit::View& v) { return v.position(x, y); });
        return kit::Group({kit::ZStack(kit::Alignment::center(), {box, content})});
    }
};

} // namespace charts
