#pragma once

#include "charts/bar/BarElementModifiers.h"
#include "charts/bar/BarGeometry.h"
#include "charts/bar/RoundedRectangleBarShape.h"
#include "charts/core/DataPointTexts.h"
#include "kit/ui/GeometryReader.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/State.h"

#include <memory>
#include <tuple>

namespace charts {

// One horizontal bar for one data point in the slot its parent gives it:
// what HorizontalColourBar, HorizontalGradientColoursBar and
// HorizontalGradientStopsBar share, `Derived` supplying the fill
// (`kit::Paint fill() const`). The vertical element view with its axes
// swapped (VerticalBarElement): the bar is barWidth of the slot's height
// thick, centred, and value / the chart's maxValue of the slot's width long
// from the slot's leading edge (a negative value reaches before it). The
// corner radii apply as they are: topLeft and topRight round the bar's
// upper edge, topRight and bottomRight its free end. It grows from the
// leading edge when it appears.
template <class Derived, BarElementChartData ChartData, CTStandardDataPointProtocol DataPoint>
struct HorizontalBarElement {
    kit::ObservedObject<ChartData> chartData;
    DataPoint dataPoint;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    // The length of the bar of `value` in a slot `width` wide.
    double barLength(double value, double width) const { return slotBar(value).span(width).length; }

    kit::View body() const
    {
        const ChartData& data = *chartData;
        const SlotBar bar = slotBar(dataPoint.value);
        const RoundedRectangleBarShape shape = barShape(data.barStyle->cornerRadius);
        const kit::Paint fill = static_cast<const Derived&>(*this).fill();
        const kit::View reader = kit::GeometryReader([bar, shape, fill](const kit::GeometryProxy& proxy) {
            const double w = proxy.size.width;
            const double h = proxy.size.height;
            const ValueSpan span = bar.span(w);
            return shape.fill(fill)
                .frame(std::nullopt, bar.thickness(h))
                .frame(span.length)
                .offset(span.start, bar.inset(h));
        });
        const auto& info = *data.infoView;
        return growsOnAppear(reader.animation(kit::Animation::defaultAnimation(), data.dataSets)
                                 .background(touchableBackground()),
                             data, startAnimation)
            .accessibilityValue(accessibilityValueString(dataPoint, info.touchSpecifier, info.touchFormatter));
    }

protected:
    HorizontalBarElement(std::shared_ptr<ChartData> chartData, DataPoint dataPoint)
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
