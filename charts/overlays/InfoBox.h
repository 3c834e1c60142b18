#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/overlays/TouchBoxPlacement.h"
#include "kit/ui/ViewThatFits.h"

#include <tuple>

namespace charts {

// While the style places touched values in an info box: a band `height`
// high above the chart, laid out touch or no touch, holding the touch
// overlay box. A static box stays in the middle of the band; otherwise its
// centre follows the chart data's infoBoxPosition for the touch's x, in the
// middle of the band's height. Where the chart's frame is short of room the
// band gives way to the plot. Any other placement leaves the chart
// unchanged.
template <LineBarChartDataObject ChartData>
struct InfoBox {
    kit::ObservedObject<ChartData> chartData;
    double height = 0;
    kit::State<kit::Rect> boxFrame{kit::Rect(0, 0, 0, 70)};

    auto dynamicFields() { return std::tie(chartData, boxFrame); }

    kit::View body(const kit::View& content) const
    {
        const ChartData& data = *chartData;
        const auto* placement = std::get_if<InfoBoxPlacement::InfoBox>(&data.chartStyle->infoBoxPlacement.value);
        if (!placement)
            return kit::Group({content});
        const double band = height;
        kit::View box;
        if (placement->isStatic) {
            box = touchBoxOverChart(chartData.object(), boxFrame,
                                    [band](const kit::View& v) { return v.frame(std::nullopt, band); });
        } else {
            const double x = infoBoxCentre(data, data.infoView->touchLocation.x, *boxFrame) - 6;
            box = touchBoxOverChart(chartData.object(), boxFrame, [x, band](const kit::View& v) {
                return v.position(x, band * 0.5).frame(std::nullopt, band);
            });
        }
        // The band gives way where the chart's frame is short of room.
        const kit::View givingWay = kit::ViewThatFits(kit::FitAxes::vertical, {box, kit::EmptyView()});
        return kit::Group({asDecorationOf(kit::VStack(kit::HorizontalAlignment::center, {givingWay, content}), &data)});
    }
};

} // namespace charts
