#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/overlays/TouchBoxPlacement.h"

#include <tuple>

namespace charts {

// While the style places touched values `floating`: the touch overlay box
// over the chart, its centre at the chart data's infoBoxPosition for the
// touch's x and its top edge 10 points above the chart. Any other placement
// leaves the chart unchanged.
template <LineBarChartDataObject ChartData>
struct FloatingInfoBox {
    kit::ObservedObject<ChartData> chartData;
    kit::State<kit::Rect> boxFrame{kit::Rect(0, 0, 0, 70)};

    auto dynamicFields() { return std::tie(chartData, boxFrame); }

    kit::View body(const kit::View& content) const
    {
        const ChartData& data = *chartData;
        if (!data.chartStyle->infoBoxPlacement.template is<InfoBoxPlacement::Floating>())
            return kit::Group({content});
        const kit::Rect frame = *boxFrame;
        const double x = infoBoxCentre(data, data.infoView->touchLocation.x, frame) - 6;
        const double y = frame.height() * 0.5 - 10;
        const kit::View box = touchBoxOverChart(chartData.object(), boxFrame,
                                                [x, y](const kit::View& v) { return v.position(x, y); });
        return kit::Group({kit::ZStack(kit::Alignment::center(), {box, content})});
    }
};

} // namespace charts
