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

// One vertical bar for one data point in the slot its parent gives it:
// what ColourBar, GradientColoursBar and GradientStopsBar share, `Derived`
// supplying the fill (`kit::Paint fill() const`).
//
// The bar is the bar style's barWidth of the slot's width, centred, and
// value / the chart's maxValue of the slot's height, standing on the
// slot's bottom edge (a negative value hangs below it), with the bar style's
// corner radii. It has height 0 while the chart's highest value is not above
// 0, and before it has started: it grows from the bottom edge when it
// appears, with the chart style's globalAnimation (at once when the chart
// data disables animation), shrinks back when it disappears, and moves with
// the default animation when the chart's data sets change. Its slot lies on
// the near-invisible touchable background; its accessibility value is the
// point's value text in the chart's touch specifier and formatter.
template <class Derived, BarElementChartData ChartData, CTStandardDataPointProtocol DataPoint>
struct VerticalBarElement {
    kit::ObservedObject<ChartData> chartData;
    DataPoint dataPoint;
    kit::State<bool> startAnimation{false};

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    // The length of the bar of `value` in a slot `height` high.
    double barLength(double value, double height) const { return slotBar(value).span(height).length; }
    // Where the bar of `value` lies in a slot `width` × `height`: its
    // top-left corner.
    kit::Point barOffset(double value, double width, double height) const
    {
        const SlotBar bar = slotBar(value);
        return {bar.inset(width), height - bar.span(height).end()};
    }

    kit::View body() const
    {
        const ChartData& data = *chartData;
        const SlotBar bar = slotBar(dataPoint.value);
        const RoundedRectangleBarShape shape = barShape(data.barStyle->cornerRadius);
        const kit::Paint fill = static_cast<const Derived&>(*this).fill();
        const kit::View reader = kit::GeometryReader([bar, shape, fill](const kit::GeometryProxy& proxy) {
            const double w = proxy.size.width;
            const double h = proxy.size.height;
            const ValueSpan span = bar.span(h);
            return shape.fill(fill)
                .frame(bar.thickness(w))
                .frame(std::nullopt, span.length)
                .offset(bar.inset(w), h - span.end());
        });
        const auto& info = *data.infoView;
        return growsOnAppear(reader.background(touchableBackground())
                                 .animation(kit::Animation::defaultAnimation(), data.dataSets),
                             data, startAnimation)
            .accessibilityValue(accessibilityValueString(dataPoint, info.touchSpecifier, info.touchFormatter));
    }

protected:
    VerticalBarElement(std::shared_ptr<ChartData> chartData, DataPoint dataPoint)
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
