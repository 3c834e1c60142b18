#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/overlays/TouchOverlayBox.h"
#include "kit/ui/Layout.h"
#include "kit/ui/State.h"
#include "kit/ui/ViewThatFits.h"

#include <memory>
#include <tuple>

namespace charts {

// The four info boxes: the touch overlay box over the chart, floating at
// the touch (FloatingInfoBox) or in a band of its own beside the chart
// (InfoBox), as the style's infoBoxPlacement says; any other placement
// leaves the chart unchanged. A box follows the touch along one axis: along
// the width (the box above the chart), or, for chart data whose categories
// run down the height, along the height (the Horizontal forms, the box on
// the chart's trailing side). Where a box goes is written once, as a
// function of that axis.

// The touch overlay box that an info box shows: it reports its size into
// the info box's `boxFrame`. `placed` is the box after the info box's own
// position and band; every info box then pads it 6 points on each side and
// draws it above the chart.
template <ChartDataObject ChartData>
kit::View touchBoxOverChart(const std::shared_ptr<ChartData>& chartData, const kit::State<kit::Rect>& boxFrame,
                            const std::function<kit::View(const kit::View&)>& placed)
{
    const kit::View box = TouchOverlayBox<ChartData>{chartData, boxFrame.binding()};
    return placed(box).padding(kit::Edge::horizontal, 6).zIndex(1);
}

// The touch coordinate of an info box's chart data along the axis the box
// follows, for the box that `boxFrame` measured.
template <class ChartData>
double infoBoxCentre(const ChartData& chartData, double touch, const kit::Rect& boxFrame)
{
    return chartData.infoBoxPosition(touch, boxFrame, chartData.infoView->chartSize);
}

// Where the centre of a box that follows the touch along `axis` stands: at
// the chart data's infoBoxPosition for the touch along that axis (along the
// width 6 points short of it, which the box's leading padding makes up),
// and at `across` on the other axis.
template <kit::Axis axis, class ChartData>
kit::Point infoBoxAtTouch(const ChartData& data, const kit::Rect& boxFrame, double across)
{
    if constexpr (axis == kit::Axis::horizontal)
        return {infoBoxCentre(data, data.infoView->touchLocation.x, boxFrame) - 6, across};
    else
        return {across, infoBoxCentre(data, data.infoView->touchLocation.y, boxFrame)};
}

// While the style places touched values `floating`: the touch overlay box
// over the chart, centred on infoBoxAtTouch.
template <kit::Axis axis, ChartDataObject ChartData>
kit::View floatingInfoBox(const kit::ObservedObject<ChartData>& chartData, const kit::State<kit::Rect>& boxFrame,
                          double across, const kit::View& content)
{
    const ChartData& data = *chartData;
    if (!data.chartStyle->infoBoxPlacement.template is<InfoBoxPlacement::Floating>())
        return kit::Group({content});
    const kit::Point centre = infoBoxAtTouch<axis>(data, *boxFrame, across);
    const kit::View box = touchBoxOverChart(chartData.object(), boxFrame,
                                            [centre](const kit::View& v) { return v.position(centre); });
    return kit::Group({kit::ZStack(kit::Alignment::center(), {box, content})});
}

// While the style places touched values in an info box: a band `band` deep
// across `axis` (above the chart for a box that follows the touch along the
// width, on its trailing side for one that follows it along the height),
// laid out touch or no touch, holding the touch overlay box. A static box
// stays in the middle of the band; otherwise it stands at infoBoxAtTouch.
// Where the chart's frame is short of room the band gives way to the plot.
template <kit::Axis axis, ChartDataObject ChartData>
kit::View infoBoxBand(const kit::ObservedObject<ChartData>& chartData, const kit::State<kit::Rect>& boxFrame,
                      double band, double across, const kit::View& content)
{
    const ChartData& data = *chartData;
    const auto* placement = std::get_if<InfoBoxPlacement::InfoBox>(&data.chartStyle->infoBoxPlacement.value);
    if (!placement)
        return kit::Group({content});
    constexpr bool alongWidth = axis == kit::Axis::horizontal;
    auto inBand = [band](const kit::View& v) {
        return alongWidth ? v.frame(std::nullopt, band) : v.frame(band, std::nullopt);
    };
    kit::View box;
    if (placement->isStatic) {
        box = touchBoxOverChart(chartData.object(), boxFrame, inBand);
    } else {
        const kit::Point centre = infoBoxAtTouch<axis>(data, *boxFrame, across);
        box = touchBoxOverChart(chartData.object(), boxFrame,
                                [centre, inBand](const kit::View& v) { return inBand(v.position(centre)); });
    }
    const kit::View givingWay = kit::ViewThatFits(alongWidth ? kit::FitAxes::vertical : kit::FitAxes::horizontal,
                                                  {box, kit::EmptyView()});
    const kit::View stack = alongWidth ? kit::VStack(kit::HorizontalAlignment::center, {givingWay, content})
                                       : kit::HStack(kit::VerticalAlignment::center, {content, givingWay});
    return kit::Group({asDecorationOf(stack, &data)});
}

// The floating box: its top edge 10 points above the chart. The horizontal
// form: centred on the chart's trailing edge (then 6 points further right).
template <LineBarChartDataObject ChartData>
struct FloatingInfoBox {
    kit::ObservedObject<ChartData> chartData;
    kit::State<kit::Rect> boxFrame{kit::Rect(0, 0, 0, 70)};

    auto dynamicFields() { return std::tie(chartData, boxFrame); }

    kit::View body(const kit::View& content) const
    {
        return floatingInfoBox<kit::Axis::horizontal>(chartData, boxFrame, boxFrame->height() * 0.5 - 10, content);
    }
};

template <HorizontalChartData ChartData>
struct HorizontalFloatingInfoBox {
    kit::ObservedObject<ChartData> chartData;
    kit::State<kit::Rect> boxFrame{kit::Rect(0, 0, 70, 70)};

    auto dynamicFields() { return std::tie(chartData, boxFrame); }

    kit::View body(const kit::View& content) const
    {
        return floatingInfoBox<kit::Axis::vertical>(chartData, boxFrame, chartData->infoView->chartSize.width(),
                                                    content);
    }
};

// The box in a band `height` high above the chart, a moving box in the
// middle of the band's height. The horizontal form: in a frame `width` wide
// on the chart's trailing side (12 points wider with its padding), a moving
// box's centre 35 points from the frame's leading edge, whatever `width` is.
template <LineBarChartDataObject ChartData>
struct InfoBox {
    kit::ObservedObject<ChartData> chartData;
    double height = 0;
    kit::State<kit::Rect> boxFrame{kit::Rect(0, 0, 0, 70)};

    auto dynamicFields() { return std::tie(chartData, boxFrame); }

    kit::View body(const kit::View& content) const
    {
        return infoBoxBand<kit::Axis::horizontal>(chartData, boxFrame, height, height * 0.5, content);
    }
};

template <HorizontalChartData ChartData>
struct HorizontalInfoBox {
    kit::ObservedObject<ChartData> chartData;
    double width = 0;
    kit::State<kit::Rect> boxFrame{kit::Rect(0, 0, 70, 0)};

    auto dynamicFields() { return std::tie(chartData, boxFrame); }

    kit::View body(const kit::View& content) const
    {
        return infoBoxBand<kit::Axis::vertical>(chartData, boxFrame, width, 35, content);
    }
};

// `view` with the floating info box of its chart data: the horizontal form
// for chart data whose categories run down the height.
template <LineBarChartDataObject ChartData>
kit::View applyFloatingInfoBox(const kit::View& view, std::shared_ptr<ChartData> chartData)
{
    return view.modifier(FloatingInfoBox<ChartData>{std::move(chartData)});
}

template <HorizontalChartData ChartData>
kit::View applyFloatingInfoBox(const kit::View& view, std::shared_ptr<ChartData> chartData)
{
    return view.modifier(HorizontalFloatingInfoBox<ChartData>{std::move(chartData)});
}

// `view` with the info box of its chart data in a band `size` high above it,
// or, for chart data whose categories run down the height, `size` wide
// beside it.
template <LineBarChartDataObject ChartData>
kit::View applyInfoBox(const kit::View& view, std::shared_ptr<ChartData> chartData, double size)
{
    return view.modifier(InfoBox<ChartData>{std::move(chartData), size});
}

template <HorizontalChartData ChartData>
kit::View applyInfoBox(const kit::View& view, std::shared_ptr<ChartData> chartData, double size)
{
    return view.modifier(HorizontalInfoBox<ChartData>{std::move(chartData), size});
}

} // namespace charts
