#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/core/AxisColour.h"
#include "charts/core/ColourStylePaint.h"
#include "kit/ui/Shape.h"
#include "kit/ui/Stacks.h"

#include <optional>

namespace charts {

// A dot `diameter` across in the first colour the style holds: its flat
// colour, else its colours, else its stops, the gradients running from the
// leading to the trailing edge (the style's own kind and ends are not
// consulted); nothing when it holds none of them.
inline kit::View colourIndicatorDot(double diameter, const ColourStyle& colour)
{
    const std::optional<kit::Paint> paint = firstPresentPaint(colour, kit::UnitPoint::leading(),
                                                              kit::UnitPoint::trailing());
    if (!paint)
        return kit::EmptyView();
    return kit::HStack({kit::Circle().fill(*paint).frame(diameter, diameter)});
}

// The dot an AxisColour asks for: none for `none`; for `custom`, its colour;
// for `style`, `styleColour` (the colour of the data the axis belongs to).
inline kit::View axisColourDot(const AxisColour& indicator, const ColourStyle& styleColour)
{
    if (const auto* custom = std::get_if<AxisColour::Custom>(&indicator.value))
        return kit::Group({colourIndicatorDot(custom->size, custom->colour)});
    if (const auto* style = std::get_if<AxisColour::Style>(&indicator.value))
        return kit::Group({colourIndicatorDot(style->size, styleColour)});
    return kit::EmptyView();
}

// The dot beside the y-axis title; `style` takes the chart's data-set colour.
template <LineBarChartDataObject ChartData>
kit::View axisColourIndicator(const AxisColour& indicator, const ChartData& chartData)
{
    if (std::holds_alternative<AxisColour::None>(indicator.value))
        return kit::EmptyView();
    return axisColourDot(indicator, chartData.dataSetColour());
}

// The dot beside the extra y-axis title; `style` takes the extra line's
// colour, flat red when the chart has no extra line.
template <LineBarChartDataObject ChartData>
kit::View extraAxisColourIndicator(const AxisColour& indicator, const ChartData& chartData)
{
    const std::optional<ExtraLineData>& extraLine = *chartData.extraLineData;
    return axisColourDot(indicator, extraLine ? extraLine->style.lineColour : ColourStyle(kit::Color::red()));
}

} // namespace charts
