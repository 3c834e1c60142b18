#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/core/DisplayValue.h"
#include "charts/core/ViewExtensions.h"
#include "charts/overlays/LabelShapes.h"
#include "kit/base/Localization.h"
#include "kit/base/StrokeStyle.h"
#include "kit/ui/GeometryReader.h"
#include "kit/ui/Shape.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/State.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace charts {

// What the two kinds of points of interest (XAxisPOI, YAxisPOI) share: the
// fields of their style, their legend entry and their layers over the chart.

// How a point of interest is drawn: its line, its label (which one, and
// how it looks) and whether it adds a legend entry. The label's shape and
// padding are the label's own where they are not given.
struct POIStyle {
    kit::Color lineColour;
    kit::StrokeStyle strokeStyle;
    DisplayValue labelPosition;
    kit::Font labelFont;
    kit::Color labelColour;
    kit::Color labelBackground;
    kit::Color labelBorderColor;
    std::optional<CustomLabelShape> customLabelShape;
    std::optional<double> padding;
    bool addToLegends = true;
};

// Appends the marker's legend entry to the chart's legends (one announced
// change) unless an entry already reads `markerName` (compared after
// Unicode normalisation, nothing else compared): a line entry with the id
// `id`, the marker's colour as a flat colour, a copy of its stroke with a
// fresh identity, and priority 2. So a marker made again and again, or two
// markers of one name, add one entry. The list is copied before it is
// searched: it may grow while views are being built.
template <LineBarChartDataObject ChartData>
void setupPOILegend(ChartData& chartData, const kit::UUID& id, const std::string& markerName,
                    const kit::Color& lineColour, const kit::StrokeStyle& strokeStyle)
{
    const std::vector<LegendData> legends = *chartData.legends;
    for (const LegendData& legend : legends)
        if (kit::equalAfterNFC(legend.legend, markerName))
            return;
    LegendData entry(id, markerName, ColourStyle(lineColour),
                     Stroke(strokeStyle.lineWidth, strokeStyle.lineCap, strokeStyle.lineJoin, strokeStyle.miterLimit,
                            strokeStyle.dash, strokeStyle.dashPhase),
                     2, ChartType::line);
    chartData.legends.modify([&](std::vector<LegendData>& list) { list.push_back(std::move(entry)); });
}

// The legend entry of a point-of-interest modifier: setupPOILegend with the
// modifier's uuid, name, line colour and stroke, when it asks for an entry
// and its chart is still there.
template <class POI>
void setupPOILegend(const POI& poi)
{
    if (!poi.addToLegends)
        return;
    if (const auto chart = poi.chartData.object())
        setupPOILegend(*chart, poi.uuid, poi.markerName, poi.lineColour, poi.strokeStyle);
}

// The layers of a point of interest over the chart view `content`, when
// `shown`: the marker line trimmed from its start to the fraction the
// reveal has reached (whole when the chart's animation is disabled) and
// stroked with the style's line colour and stroke, then the label layer, a
// reader filling the chart that lays out `label(frame)` against the chart's
// frame. The label layer sets `startAnimation` when it appears and clears
// it when it leaves, inside the chart style's animation (directly when
// animation is disabled), so that the line draws itself in and out. Neither
// layer takes a press: it passes to the chart under them. Otherwise the
// content alone.
template <LineBarChartDataObject ChartData>
kit::View poiLayers(const kit::View& content, const ChartData& chartData, bool shown, const kit::Shape& marker,
                    const POIStyle& style, const kit::State<bool>& startAnimation,
                    std::function<kit::View(const kit::Rect&)> label)
{
    const bool disabled = chartData.disableAnimation;
    const kit::Animation& animation = chartData.chartStyle->globalAnimation;
    auto line = [&] {
        return marker.trim(0, disabled || *startAnimation ? 1 : 0)
            .stroke(style.lineColour, style.strokeStyle)
            .allowsHitTesting(false);
    };
    auto labelLayer = [&] {
        const kit::View reader = kit::GeometryReader(
            [label](const kit::GeometryProxy& proxy) { return label(proxy.frame(kit::CoordinateSpace::local())); });
        const kit::State<bool> start = startAnimation;
        return animateOnDisappear(animateOnAppear(reader, disabled, animation, [start] { start = true; }), disabled,
                                  animation, [start] { start = false; })
            .allowsHitTesting(false);
    };
    return kit::ZStack(kit::Alignment::center(), {content, kit::If(shown, line), kit::If(shown, labelLayer)});
}

} // namespace charts
