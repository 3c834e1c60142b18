#pragma once

#include "charts/core/CTChartData.h"
#include "charts/core/ViewExtensions.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/Text.h"
#include "kit/ui/ViewThatFits.h"

#include <tuple>

namespace charts {

// The chart's title and subtitle above the chart. When the style places the
// touch information in the header, the same row shows at its right end the
// value and description of every touched point, each on one line, and the
// title as much of the rest of the row as it needs. A chart without data is
// shown without a title. Where the chart's frame is short of room the
// subtitle gives way, then the title.
template <ChartDataObject ChartData>
struct HeaderBox {
    kit::ObservedObject<ChartData> chartData;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body(const kit::View& content) const
    {
        return kit::If(
            chartData->hasData(), [&] { return decorated(content); }, [&] { return content; });
    }

private:
    // The touch information in the header row, or the title block above the chart.
    kit::View decorated(const kit::View& content) const
    {
        if (chartData->chartStyle->infoBoxPlacement.template is<InfoBoxPlacement::Header>())
            return asDecorationOf(headerLayout(content), chartData.object().get());
        return asDecorationOf(kit::VStack(kit::HorizontalAlignment::leading, {titleBlock(), content}),
                              chartData.object().get());
    }

    // The title row: the touched values keep the width of their longest
    // text at its right end, never broken across lines (a value split in
    // two would read as two); the title block at its left end takes the
    // width it needs of the rest first, wrapping only where the row is
    // narrower than that; the values' side takes what is left, and the
    // spacer between them keeps them apart.
    //
    // Where the chart's frame is short of room the row gives way: the
    // subtitle first, then the title, then the values.
    kit::View headerLayout(const kit::View& content) const
    {
        const kit::View touchSide = kit::HStack(kit::VerticalAlignment::center, 0,
                                                {kit::Spacer(), touchBlock().fixedSize(true, false)})
                                        .frame(kit::FlexFrame{.maxWidth = kit::infinity})
                                        .layoutPriority(1);
        const auto row = [&](const kit::View& title) {
            return kit::HStack(kit::VerticalAlignment::center, 0, {title.layoutPriority(2), kit::Spacer(), touchSide});
        };
        const kit::View header = kit::ViewThatFits(kit::FitAxes::vertical, {row(titleAndSubtitle()), row(titleText()),
                                                                            row(kit::EmptyView()), kit::EmptyView()});
        return kit::VStack(kit::HorizontalAlignment::leading, {header, content});
    }

    kit::View titleText() const
    {
        const ChartMetadata& metadata = *chartData->metadata;
        return kit::Text(metadata.title).font(metadata.titleFont).foregroundColor(metadata.titleColour);
    }

    kit::View titleAndSubtitle() const
    {
        const ChartMetadata& metadata = *chartData->metadata;
        return kit::VStack(
            kit::HorizontalAlignment::leading,
            {titleText(),
             kit::Text(metadata.subtitle).font(metadata.subtitleFont).foregroundColor(metadata.subtitleColour)});
    }

    // The title above the subtitle; where the chart's frame is short of
    // room, the title alone, or nothing.
    kit::View titleBlock() const
    {
        return kit::ViewThatFits(kit::FitAxes::vertical, {titleAndSubtitle(), titleText(), kit::EmptyView()});
    }

    kit::View touchBlock() const
    {
        const auto& style = *chartData->chartStyle;
        const auto& info = *chartData->infoView;
        if (!info.isTouchCurrent)
            return kit::VStack(kit::HorizontalAlignment::trailing, {kit::Text("").font(style.infoBoxValueFont),
                                                                    kit::Text("").font(style.infoBoxDescriptionFont)});
        const ChartData& data = *chartData;
        return kit::VStack(
            kit::HorizontalAlignment::trailing, {kit::ForEach(info.touchOverlayInfo, [&](const auto& point) {
                return kit::Group(
                    {data.infoValueText(point).font(style.infoBoxValueFont).foregroundColor(style.infoBoxValueColour),
                     data.infoDescriptionText(point)
                         .font(style.infoBoxDescriptionFont)
                         .foregroundColor(style.infoBoxDescriptionColour)});
            })});
    }
};

// `view` with the chart's header box above it.
template <ChartDataObject ChartData>
kit::View applyHeaderBox(const kit::View& view, std::shared_ptr<ChartData> chartData)
{
    return view.modifier(HeaderBox<ChartData>{std::move(chartData)});
}

// One text per touched point, `text` of the point, in order and identified
// by the point's id, with no container of their own: the stack that holds
// them lays them out. Nothing while no point is touched.
template <ChartDataObject ChartData, auto text>
struct TouchedPointTexts {
    kit::ObservedObject<ChartData> chartData;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body() const
    {
        const ChartData& data = *chartData;
        return kit::ForEach(data.infoView->touchOverlayInfo, [&](const auto& point) { return (data.*text)(point); });
    }
};

// The values of the touched points, with their unit.
template <ChartDataObject ChartData>
using InfoValue = TouchedPointTexts<ChartData, &ChartData::infoValueText>;

// The descriptions of the touched points.
template <ChartDataObject ChartData>
using InfoDescription = TouchedPointTexts<ChartData, &ChartData::infoDescriptionText>;

// A text shown only while a touch is under way.
template <ChartDataObject ChartData>
struct InfoExtra {
    kit::ObservedObject<ChartData> chartData;
    std::string text;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body() const
    {
        return kit::If(
            chartData->infoView->isTouchCurrent, [&] { return kit::Text(text); }, [] { return kit::EmptyView(); });
    }
};

} // namespace charts
