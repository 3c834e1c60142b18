#pragma once

#include "charts/bar/BarElementModifiers.h"
#include "charts/bar/BarFills.h"
#include "charts/bar/BarGeometry.h"
#include "charts/bar/RoundedRectangleBarShape.h"
#include "kit/ui/GeometryReader.h"
#include "kit/ui/Layout.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/State.h"

#include <memory>
#include <optional>
#include <tuple>
#include <utility>

namespace charts {

// One bar for one data point in the slot its parent gives it, its values
// measured along `Axis`, painted with `Fill` (BarFills.h): the element
// views, one design for either axis and any fill.
//
// The bar is the bar style's barWidth of the slot across the value axis,
// centred, and value / the chart's maxValue of the slot along it, from the
// slot's bottom edge (horizontal: leading edge); a negative value reaches
// out of the slot the other way. The bar style's corner radii apply as they
// are: on a horizontal bar topLeft and topRight round its upper edge,
// topRight and bottomRight its free end. A bar of a negative value has them
// mirrored across its base, so that its free end is rounded as a positive
// bar's is (barShape). The bar has length 0 while the
// chart's highest value is not above 0, and before it has started: it grows
// from its base when it appears, with the chart style's globalAnimation (at
// once when the chart data disables animation), shrinks back when it
// disappears, and moves with the default animation when the chart's data
// sets change (dressedAsBar).
template <class Fill, kit::Axis Axis, BarElementChartData ChartData, CTStandardDataPointProtocol DataPoint>
struct BarElement : Fill {
    kit::ObservedObject<ChartData> chartData;
    DataPoint dataPoint;
    kit::State<bool> startAnimation{false};

    // Made from the chart data, the data point and the fill's members, in
    // the fill's order (or the fill itself).
    template <class... FillMembers>
    BarElement(std::shared_ptr<ChartData> chartData, DataPoint dataPoint, FillMembers&&... fill)
        : Fill{std::forward<FillMembers>(fill)...}, chartData(std::move(chartData)), dataPoint(std::move(dataPoint))
    {
    }

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    // The length of the bar of `value` in a slot `length` long along the
    // value axis.
    double barLength(double value, double length) const { return slotBar(value).span(length).length; }
    // Where the bar of `value` lies in a slot `width` × `height`: its
    // top-left corner.
    kit::Point barOffset(double value, double width, double height) const
    {
        return barRectInSlot(slotBar(value), {width, height}, Axis).origin;
    }

    kit::View body() const
    {
        const ChartData& data = *chartData;
        const SlotBar bar = slotBar(dataPoint.value);
        const kit::View shape = barShape(data.barStyle->cornerRadius, Axis, bar.fraction < 0).fill(this->fill());
        const kit::View slot = kit::GeometryReader(
            [bar, shape](const kit::GeometryProxy& proxy) { return placedInSlot(shape, bar, proxy.size, Axis); });
        return dressedAsBar(slot, data, dataPoint, startAnimation);
    }

private:
    SlotBar slotBar(double value) const
    {
        const ChartData& data = *chartData;
        return {.fraction = barFraction(value, data.maxValue()),
                .barWidth = data.barStyle->barWidth,
                .shown = data.disableAnimation || *startAnimation};
    }
};

// The element views of the vertical bars (standard and grouped charts) and
// of the horizontal ones, in one colour, a gradient of colours or a
// gradient of stops, each made from the chart data, the data point and its
// fill's members:
//
//   ColourBar<Data, Point>(chartData, dataPoint, kit::Color::blue())
//   GradientColoursBar<Data, Point>(chartData, dataPoint, colours, kit::UnitPoint::bottom(), kit::UnitPoint::top())
//   HorizontalGradientStopsBar<Data, Point>(chartData, dataPoint, GradientStop::convert(stops),
//                                           kit::UnitPoint::leading(), kit::UnitPoint::trailing())
template <class ChartData, class DataPoint>
using ColourBar = BarElement<ColourFill, kit::Axis::vertical, ChartData, DataPoint>;
template <class ChartData, class DataPoint>
using GradientColoursBar = BarElement<ColoursFill, kit::Axis::vertical, ChartData, DataPoint>;
template <class ChartData, class DataPoint>
using GradientStopsBar = BarElement<StopsFill, kit::Axis::vertical, ChartData, DataPoint>;
template <class ChartData, class DataPoint>
using HorizontalColourBar = BarElement<ColourFill, kit::Axis::horizontal, ChartData, DataPoint>;
template <class ChartData, class DataPoint>
using HorizontalGradientColoursBar = BarElement<ColoursFill, kit::Axis::horizontal, ChartData, DataPoint>;
template <class ChartData, class DataPoint>
using HorizontalGradientStopsBar = BarElement<StopsFill, kit::Axis::horizontal, ChartData, DataPoint>;

// The element view, measured along `Axis`, of a bar in `style`'s kind of
// colour; none when the style lacks a member its kind needs.
template <kit::Axis Axis, class ChartData, class DataPoint>
std::optional<kit::View> barElementFor(const std::shared_ptr<ChartData>& chartData, const DataPoint& dataPoint,
                                       const ColourStyle& style)
{
    return viewForFill(style, [&]<class Fill>(Fill fill) {
        return BarElement<Fill, Axis, ChartData, DataPoint>(chartData, dataPoint, std::move(fill));
    });
}

} // namespace charts
