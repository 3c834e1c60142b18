#pragma once

#include "charts/core/CTChartData.h"
#include "kit/ui/GeometryReader.h"
#include "kit/ui/Gesture.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Stacks.h"

#include <memory>
#include <tuple>

namespace charts {

// Makes a chart touchable. While the user drags on the chart, each position
// (in the chart's own coordinates) and the chart's local frame go to the
// chart data's beginTouch, and the chart data's touch marker is drawn while
// the touch lasts; the end of the drag clears the touch (the last location
// and frame stay). Each time the chart appears, the value format and unit
// of touched values are written into the chart data's infoView. A chart
// without data gets no gesture and no marker.
template <ChartDataObject ChartData>
struct TouchOverlay {
    kit::ObservedObject<ChartData> chartData;
    double minDistance = 0;
    std::string specifier;
    NumberFormatterPtr formatter;
    TouchUnit unit;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body(const kit::View& content) const
    {
        const std::shared_ptr<ChartData> data = chartData.object();
        kit::View chart = kit::If(
            data->hasData(), [&] { return touchable(content); }, [&] { return content; });
        return kit::Group({chart}).onAppear([data, specifier = specifier, formatter = formatter, unit = unit] {
            data->infoView.modify([&](auto& info) { info.touchSpecifier = specifier; });
            data->infoView.modify([&](auto& info) { info.touchFormatter = formatter; });
            data->infoView.modify([&](auto& info) { info.touchUnit = unit; });
        });
    }

private:
    kit::View touchable(const kit::View& content) const
    {
        const std::shared_ptr<ChartData> data = chartData.object();
        const double distance = minDistance;
        // The reader takes what it is offered, whatever the chart needs: it
        // keeps the chart's share of the frame itself.
        return keepingHalfOfTheFrame(
            kit::GeometryReader([data, content, distance](const kit::GeometryProxy& proxy) {
                const kit::Rect frame = proxy.frame(kit::CoordinateSpace::local());
                const kit::DragGesture drag =
                    kit::DragGesture(distance, kit::CoordinateSpace::local())
                        .onChanged([data, frame](const kit::DragGesture::Value& value) {
                            data->beginTouch(value.location, frame);
                        })
                        .onEnded([data](const kit::DragGesture::Value&) {
                            data->infoView.modify([](auto& info) { info.isTouchCurrent = false; });
                            data->infoView.modify([](auto& info) { info.touchOverlayInfo.clear(); });
                        });
                const auto& info = *data->infoView;
                return kit::ZStack(kit::Alignment::center(),
                                   {content.gesture(drag, kit::GestureMask::all),
                                    kit::If(
                                        info.isTouchCurrent,
                                        [&] { return data->touchMarkerView(info.touchLocation, frame); },
                                        [] { return kit::EmptyView(); })});
            }),
            data.get());
    }
};

// `view` made touchable for the chart data, its touched values formatted
// with `formatter` when given, else with the printf-style `specifier`, and
// `unit` put beside them.
template <ChartDataObject ChartData>
kit::View applyTouchOverlay(const kit::View& view, std::shared_ptr<ChartData> chartData, double minDistance,
                            std::string specifier, NumberFormatterPtr formatter, TouchUnit unit)
{
    return view.modifier(TouchOverlay<ChartData>{std::move(chartData), minDistance, std::move(specifier),
                                                 std::move(formatter), std::move(unit)});
}

} // namespace charts
