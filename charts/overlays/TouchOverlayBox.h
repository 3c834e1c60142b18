#pragma once

#include "charts/core/CTChartData.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/GeometryReader.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Shape.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/State.h"

#include <tuple>

namespace charts {

// The box of touched values that the info boxes show: for each touched
// point its description, its value with the touch unit and its legend
// symbol, stacked or in a row as the style's infoBoxContentAlignment says,
// inside 8 points of padding. While a touch is under way a rounded box in
// the style's info-box colours lies behind it, and the box writes its own
// size into `boxFrame` (origin 0, 0) when it appears and whenever it
// changes; between touches `boxFrame` keeps the last size. The box never
// places itself: the info box that owns `boxFrame` does.
template <ChartDataObject ChartData>
struct TouchOverlayBox {
    kit::ObservedObject<ChartData> chartData;
    kit::Binding<kit::Rect> boxFrame;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body() const
    {
        const ChartData& data = *chartData;
        const auto& style = *data.chartStyle;
        const auto& points = data.infoView->touchOverlayInfo;
        // Three views per point, members of the one stack; a repeated point
        // id gets an identity of its own.
        kit::View content;
        if (style.infoBoxContentAlignment == InfoBoxAlignment::vertical) {
            content = kit::VStack(kit::HorizontalAlignment::leading, 0, {kit::ForEach(points, [&](const auto& point) {
                                      return kit::Group({description(point), value(point), legendSymbol(point)});
                                  })});
        } else {
            content = kit::HStack(
                kit::VerticalAlignment::center, {kit::ForEach(points, [&](const auto& point) {
                    return kit::Group({legendSymbol(point).layoutPriority(1), description(point), value(point)});
                })});
        }
        return kit::Group({content}).padding(8).background(
            kit::GeometryReader([chartData = chartData.object(), frame = boxFrame](const kit::GeometryProxy& proxy) {
                return background(*chartData, frame, proxy.frame(kit::CoordinateSpace::local()));
            }),
            kit::Alignment::center());
    }

private:
    using DataPoint = typename ChartData::DataPoint;

    kit::View description(const DataPoint& point) const
    {
        const auto& style = *chartData->chartStyle;
        return chartData->infoDescriptionText(point)
            .font(style.infoBoxDescriptionFont)
            .foregroundColor(style.infoBoxDescriptionColour);
    }

    kit::View value(const DataPoint& point) const
    {
        const auto& style = *chartData->chartStyle;
        return chartData->infoValueText(point).font(style.infoBoxValueFont).foregroundColor(style.infoBoxValueColour);
    }

    kit::View legendSymbol(const DataPoint& point) const
    {
        return chartData->infoLegendSymbol(point).foregroundColor(chartData->chartStyle->infoBoxDescriptionColour);
    }

    // The rounded box while the touch is current, reporting `frame` (the
    // padded content's own frame) when it appears and when it changes.
    static kit::View background(const ChartData& data, const kit::Binding<kit::Rect>& boxFrame, const kit::Rect& frame)
    {
        if (!data.infoView->isTouchCurrent)
            return kit::EmptyView();
        const auto& style = *data.chartStyle;
        const kit::RoundedRectangle shape(kit::Size{5, 5}, kit::RoundedCornerStyle::continuous);
        return shape.fill(style.infoBoxBackgroundColour)
            .overlay(shape.stroke(style.infoBoxBorderColour, style.infoBoxBorderStyle), kit::Alignment::center())
            .onAppear([boxFrame, frame] { boxFrame = frame; })
            .onChange(frame, [boxFrame](const kit::Rect&, const kit::Rect& now) { boxFrame = now; });
    }
};

} // namespace charts
