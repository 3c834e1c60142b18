#pragma once

#include "charts/core/ColourStylePaint.h"
#include "charts/core/ExtraLineData.h"
#include "charts/core/LegendData.h"
#include "charts/overlays/ExtraLinePoints.h"
#include "charts/overlays/ExtraLineViews.h"
#include "kit/base/Localization.h"
#include "kit/ui/Stacks.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace charts {

// Whether `legend` is the extra line's entry: the same text (canonically
// equivalent), the same colour, priority 3 and a line entry; its id and
// stroke play no part.
bool isExtraLineLegend(const LegendData& legend, const ExtraLineData& extraLine, const ColourStyle& colour);

// Appends the extra line's legend entry (its id, a line entry with its
// title, its stroke, priority 3 and the legend colour a line chart's entry
// takes from its line colour) to the chart's legends, unless an entry
// already matches or the line colour gives none.
// The legends are read from a copy and written in one announced change.
template <class ChartData>
void addExtraLineLegend(ChartData& chartData, const ExtraLineData& extraLine)
{
    const std::optional<ColourStyle> colour = legendColour(extraLine.style.lineColour);
    if (!colour)
        return;
    const std::vector<LegendData> legends = *chartData.legends;
    for (const LegendData& legend : legends)
        if (isExtraLineLegend(legend, extraLine, *colour))
            return;
    chartData.legends.modify([&](std::vector<LegendData>& all) {
        all.emplace_back(extraLine.id, extraLine.legendTitle, *colour, extraLine.style.strokeStyle, 3, ChartType::line);
    });
}

// A second line over a bar or line chart, with its own values, style,
// markers and legend entry. Each time the chart comes on screen, with or
// without data, a new ExtraLineData (a fresh id, then the values of
// `datapoints`, then the style of `style`) replaces the chart's extra line
// and the line's legend entry is added unless the chart already has it
// (addExtraLineLegend). While the chart has data the line and its markers
// are drawn in the chart's plotting area: a flat-colour or stops line and
// the markers in front of the content, a gradient-of-colours line behind
// it; a colour that lacks what its kind needs draws neither. Neither takes
// a press: it passes to the chart under them.
template <LineBarChartDataObject ChartData>
struct ExtraLine {
    kit::ObservedObject<ChartData> chartData;
    std::string legendTitle;
    std::function<std::vector<ExtraLineDataPoint>()> datapoints;
    std::function<ExtraLineStyle()> style;

    auto dynamicFields() { return std::tie(chartData); }

    kit::View body(const kit::View& content) const
    {
        const kit::View chart =
            chartData->hasData() ? kit::ZStack(kit::Alignment::center(), {extraLineLayer(), content}) : content;
        return kit::Group({chart}).onAppear(
            [data = chartData.object(), title = legendTitle, datapoints = datapoints, style = style] {
                data->extraLineData = ExtraLineData(title, datapoints, style);
                addExtraLineLegend(*data, **data->extraLineData);
            });
    }

private:
    // The line view of the extra line's colour kind, then its markers.
    kit::View extraLineLayer() const
    {
        const std::optional<ExtraLineData>& extraLine = *chartData->extraLineData;
        if (!extraLine)
            return kit::EmptyView();
        const std::shared_ptr<ChartData> data = chartData.object();
        const Stroke& stroke = extraLine->style.strokeStyle;
        const std::optional<kit::View> line = viewForColourKind(
            extraLine->style.lineColour,
            [&](kit::Color colour) {
                return ColourExtraLineView<ChartData>{data, colour, stroke};
            },
            [&](const std::vector<kit::Color>& colours, kit::UnitPoint start, kit::UnitPoint end) {
                return ColoursExtraLineView<ChartData>{data, colours, start, end, stroke};
            },
            [&](std::vector<kit::Gradient::Stop> stops, kit::UnitPoint start, kit::UnitPoint end) {
                return StopsExtraLineView<ChartData>{data, std::move(stops), start, end, stroke};
            });
        if (!line)
            return kit::EmptyView();
        return kit::Group({*line, PointsExtraLineView<ChartData>{data}}).allowsHitTesting(false);
    }
};

// `view` with the extra line of `legendTitle`, its values from `datapoints`
// and its style from `style`, both called each time the chart comes on screen.
template <LineBarChartDataObject ChartData>
kit::View applyExtraLine(const kit::View& view, std::shared_ptr<ChartData> chartData, std::string legendTitle,
                         std::function<std::vector<ExtraLineDataPoint>()> datapoints,
                         std::function<ExtraLineStyle()> style)
{
    return view.modifier(
        ExtraLine<ChartData>{std::move(chartData), std::move(legendTitle), std::move(datapoints), std::move(style)});
}

} // namespace charts
