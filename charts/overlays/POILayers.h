#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/core/ViewExtensions.h"
#include "charts/overlays/POILegend.h"
#include "charts/overlays/POILocations.h"
#include "kit/ui/GeometryReader.h"
#include "kit/ui/Shape.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/State.h"

#include <functional>
#include <string>

namespace charts {

// The layers of a point of interest over the chart view `content`, when
// `shown`: the marker line trimmed from its start to the fraction the
// reveal has reached (whole when the chart's animation is disabled) and
// stroked, then the label layer, a reader filling the chart that lays out
// `label(frame)` against the chart's frame. The label layer sets
// `startAnimation` when it appears and clears it when it leaves, inside the
// chart style's animation (directly when animation is disabled), so that
// the line draws itself in and out. Neither layer takes a press: it passes
// to the chart under them. Otherwise the content alone.
template <LineBarChartDataObject ChartData>
kit::View poiLayers(const kit::View& content, const ChartData& chartData, bool shown, const kit::Shape& marker,
                    const kit::Color& lineColour, const kit::StrokeStyle& strokeStyle,
                    const kit::State<bool>& startAnimation, std::function<kit::View(const kit::Rect&)> label)
{
    const bool disabled = chartData.disableAnimation;
    const kit::Animation& animation = chartData.chartStyle->globalAnimation;
    auto line = [&] {
        return marker.trim(0, disabled || *startAnimation ? 1 : 0)
            .stroke(lineColour, strokeStyle)
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

// A label centred on `location`, announced as "P-O-I-Marker" with the
// marker's name and `valueText` (poiAccessibilityValue); nothing where the
// location is not a number.
inline kit::View placedPOILabel(const kit::View& label, kit::Point location, const std::string& markerName,
                                const std::string& valueText)
{
    if (!location.isFinite())
        return kit::EmptyView();
    return label.position(location)
        .accessibilityLabel("P-O-I-Marker")
        .accessibilityValue(kit::LocalizedKey{poiAccessibilityValue(markerName, valueText)});
}

} // namespace charts
