#pragma once

#include "charts/bar/BarElementModifiers.h"
#include "charts/bar/BarGeometry.h"
#include "charts/bar/RoundedRectangleBarShape.h"
#include "kit/ui/GeometryReader.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/State.h"

#include <memory>
#include <tuple>

namespace charts {

// One bar for one data point in the slot its parent gives it: what the
// element views share (ColourBar, GradientColoursBar and GradientStopsBar
// measure along the vertical axis, their Horizontal twins along the
// horizontal one), `Derived` supplying the fill (`kit::Paint fill() const`).
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
template <class Derived, BarElementChartData ChartData, CTStandardDataPointProtocol DataPoint, ValueAxis Axis>
struct BarElement {
    kit::ObservedObject<ChartData> chartData;
    DataPoint dataPoint;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    // The length of the bar of `value` in a slot `length` long along the
    // value axis.
    double barLength(double value, double length) const { return slotBar(value).span(length).length; }
    // Where the bar of `value` lies in a slot `width` × `height`: its
    // top-left corner.
    kit::Point barOffset(double value, double width, double height) const
    {
        const SlotBar bar = slotBar(value);
        if (Axis == ValueAxis::vertical)
            return {bar.inset(width), height - bar.span(height).end()};
        return {bar.span(width).start, bar.inset(height)};
    }

    kit::View body() const
    {
        const ChartData& data = *chartData;
        const SlotBar bar = slotBar(dataPoint.value);
        const kit::View shape = barShape(data.barStyle->cornerRadius, Axis, bar.fraction < 0)
                                    .fill(static_cast<const Derived&>(*this).fill());
        const kit::View slot = kit::GeometryReader(
            [bar, shape](const kit::GeometryProxy& proxy) { return placedInSlot(shape, bar, proxy.size, Axis); });
        return dressedAsBar(slot, data, dataPoint, startAnimation);
    }

protected:
    BarElement(std::shared_ptr<ChartData> chartData, DataPoint dataPoint)
        : chartData(std::move(chartData)), dataPoint(std::move(dataPoint))
    {
    }

private:
    SlotBar slotBar(double value) const
    {
        const ChartData& data = *chartData;
        return {barFraction(value, data.maxValue()), data.barStyle->barWidth, data.disableAnimation || *startAnimation};
    }
};

} // namespace charts
