#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/overlays/TouchBoxPlacement.h"
#include "kit/ui/ViewThatFits.h"

#include <tuple>

namespace charts {

// The info box of a chart whose categories run down its height: while the
// style places touched values in an info box, a frame `width` wide on the
// chart's trailing side (12 points wider with its padding), laid out touch
// or no touch, holding the touch overlay box. A static box stays in the
// middle of the frame; otherwise its centre stands 35 points from the
// frame's leading edge, whatever `width` is, at the chart data's
// infoBoxPosition for the touch's y. Where the chart's frame is short of
// room the band gives way to the plot. Any other placement leaves the chart
// unchanged.
template <HorizontalChartData ChartData>
struct HorizontalInfoBox {
    kit::ObservedObject<ChartData> chartData;
    double width = 0;
    kit::State<kit::Rect> boxFrame{kit::Rect(0, 0, 70, 0)};

    auto dynamicFields() { return std::tie(chartData, boxFrame); }

    kit::View body(const kit::View& content) const
    {
        const ChartData& data = *chartData;
        const auto* placement = std::get_if<InfoBoxPlacement::InfoBox>(&data.chartStyle->infoBoxPlacement.value);
        if (!placement)
            return kit::Group({content});
        const double band = width;
        kit::View box;
        if (placement->isStatic) {
            box = touchBoxOverChart(chartData.object(), boxFrame,
                                    [band](const kit::View& v) { return v.frame(band, std::nullopt); });
        } else {
            const double y = infoBoxCentre(data, data.infoView->touchLocation.y, *boxFrame);
            box = touchBoxOverChart(chartData.object(), boxFrame, [y, band](const kit::View& v) {
                return v.position(35, y).frame(band, std::nullopt);
            });
        }
        // The band gives way where the chart's frame is short of room.
        const kit::View givingWay = kit::ViewThatFits(kit::FitAxes::horizontal, {box, kit::EmptyView()});
        return kit::Group({asDecorationOf(kit::HStack(kit::VerticalAlignment::center, {content, givingWay}), &data)});
    }
};

} // namespace charts
