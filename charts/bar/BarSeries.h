#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/bar/BarDataPointProtocols.h"
#include "charts/bar/BarElementModifiers.h"
#include "charts/bar/BarGeometry.h"
#include "charts/bar/RoundedRectangleBarShape.h"
#include "charts/core/DataPointTexts.h"
#include "charts/core/ViewExtensions.h"
#include "kit/base/Paint.h"
#include "kit/ui/Layout.h"
#include "kit/ui/Marks.h"
#include "kit/ui/State.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace charts {

// One bar of a series as its chart draws it: where its shape stands in its
// slot (the slot's own coordinates) once its chart has started, and before.
struct SlotPlacement {
    kit::Rect frame;
    kit::Rect entrance;
};

// A bar of a standard or horizontal chart: `fraction` of its slot along
// the value axis from the base, barWidth of it across (barRectInSlot); of
// length 0 at the base before its chart has started.
struct SlotBarPlacer {
    double fraction = 0;
    double barWidth = 1;
    bool shown = true;
    kit::Axis axis = kit::Axis::vertical;

    SlotPlacement operator()(kit::Size slot) const
    {
        return {.frame = barRectInSlot({.fraction = fraction, .barWidth = barWidth, .shown = shown}, slot, axis),
                .entrance = barRectInSlot({.fraction = fraction, .barWidth = barWidth, .shown = false}, slot, axis)};
    }

    // The bar's outline: rounded at its free end, whichever way from the base it reaches.
    RoundedRectangleBarShape shape(const CornerRadius& radius) const { return barShape(radius, axis, fraction < 0); }
};

// A floating bar of a ranged chart: barWidth of its slot wide, centred, and
// from its lower to its upper value on the value axis from `lowest` over
// `range` (rangedBarFrame); of height 0 about its centre before its chart
// has started.
struct RangedBarPlacer {
    double lowerValue = 0;
    double upperValue = 0;
    double lowest = 0;
    double range = 0;
    double barWidth = 1;
    bool shown = true;

    SlotPlacement operator()(kit::Size slot) const
    {
        return {.frame = rect(slot, shown), .entrance = rect(slot, false)};
    }

    // The bar's outline: a floating bar has no base, so its upper end is
    // its top, below zero too.
    RoundedRectangleBarShape shape(const CornerRadius& radius) const { return barShape(radius); }

private:
    kit::Rect rect(kit::Size slot, bool started) const
    {
        const RangedBarFrame bar = rangedBarFrame(lowerValue, upperValue, lowest, range, slot.height, started);
        const double width = drawableLength(slot.width * barWidth);
        return {slot.width * 0.5 - width * 0.5, bar.centreY - bar.height * 0.5, width, bar.height};
    }
};

// The slots of a row (values along the vertical axis) or a column, top to
// bottom (along the horizontal axis), of one bar per point, touching, in a
// view of `size`: the points share its length equally, those without a bar
// too when `keepEmpty`, else only those with one.
inline std::vector<kit::Rect> barSlots(kit::Size size, const std::vector<bool>& hasBar, kit::Axis axis, bool keepEmpty)
{
    const std::vector<ValueSpan> spans = stackSlots(axis == kit::Axis::vertical ? size.width : size.height,
                                                    keepEmpty ? std::vector<bool>(hasBar.size(), true) : hasBar, 0);
    std::vector<kit::Rect> rects;
    rects.reserve(spans.size());
    for (const ValueSpan& span : spans)
        rects.push_back(axis == kit::Axis::vertical ? kit::Rect(span.start, 0, span.length, size.height)
                                                    : kit::Rect(0, span.start, size.width, span.length));
    return rects;
}

// The bars of a chart as the marks of one view (kit::Marks), as the
// chart's element views would draw them one by one. Each of the `points`
// (of the chart data, which outlives the view) that has a paint (`paintOf(point)`) is a bar in the bar style's shape,
// standing on the near-invisible touchable background of its slot:
// `slotsOf(size, hasBar)` gives the slots of the points in order, in the
// view's coordinates, knowing which points have a bar; the bar stands in
// its slot as `placerOf(point)(slot size)` says (a small value made when
// the view is evaluated), in the outline `placer.shape(the bar style's
// corner radii)` gives. A bar seen for the first time grows in from
// where it stood before its chart started, with the chart style's
// globalAnimation (at once when the chart data disables animation); bars
// move with barChangeAnimation when the chart's data sets change.
// `started` turns true on each appearance and false on each disappearance
// (growsOnAppear), so the bars grow in and shrink back with their chart,
// and placers are made for a chart `shown` or not yet. Bar i is the
// accessibility element `elementOf(index of its point)`, made only when
// the accessibility tree is asked for.
template <class ChartData, class Point, class SlotsOf, class PaintOf, class PlacerOf, class ElementOf>
kit::View barSeries(const std::shared_ptr<ChartData>& chartData, const std::vector<const Point*>& points,
                    const kit::State<bool>& started, SlotsOf slotsOf, PaintOf paintOf, PlacerOf placerOf,
                    ElementOf elementOf)
{
    const ChartData& data = *chartData;
    const bool shown = data.disableAnimation || *started;
    using Placer = decltype(placerOf(std::declval<const Point&>(), shown));
    struct Bar {
        std::size_t id;
        std::size_t point;
        kit::Paint paint;
        Placer placer;
        kit::Shape shape;
    };
    auto bars = std::make_shared<std::vector<Bar>>();
    bars->reserve(points.size());
    std::vector<bool> hasBar(points.size(), false);
    // The bars share one or two outlines (those below zero mirrored): each made once.
    std::vector<std::pair<RoundedRectangleBarShape, kit::Shape>> outlines;
    const auto outline = [&](const RoundedRectangleBarShape& shape) {
        for (const auto& [value, made] : outlines)
            if (value == shape)
                return made;
        return outlines.emplace_back(shape, kit::Shape(shape)).second;
    };
    for (std::size_t i = 0; i < points.size(); ++i)
        if (std::optional<kit::Paint> paint = paintOf(*points[i])) {
            Placer placer = placerOf(*points[i], shown);
            kit::Shape shape = outline(placer.shape(data.barStyle->cornerRadius));
            bars->push_back({.id = std::hash<kit::UUID>{}(points[i]->id),
                             .point = i,
                             .paint = std::move(*paint),
                             .placer = placer,
                             .shape = std::move(shape)});
            hasBar[i] = true;
        }
    auto layout = [bars, hasBar = std::move(hasBar), slotsOf](kit::Size size) {
        const std::vector<kit::Rect> areas = slotsOf(size, hasBar);
        std::vector<kit::Mark> marks;
        marks.reserve(bars->size());
        for (const Bar& bar : *bars) {
            const kit::Rect& area = areas[bar.point];
            const SlotPlacement at = bar.placer(area.size);
            marks.push_back({.id = bar.id,
                             .area = area,
                             .frame = at.frame.offsetBy(area.minX(), area.minY()),
                             .entrance = at.entrance.offsetBy(area.minX(), area.minY()),
                             .shape = bar.shape,
                             .paint = bar.paint});
        }
        return marks;
    };
    kit::MarksStyle style;
    style.areaColor = touchableBackground();
    if (!data.disableAnimation)
        style.entranceAnimation = data.chartStyle->globalAnimation;
    style.change = kit::MarksChange{.animation = barChangeAnimation(data), .token = data.dataSets.version()};
    style.accessibility = [bars, elementOf](int i) { return elementOf((*bars)[std::size_t(i)].point); };
    return growsOnAppear(kit::Marks(std::move(layout), std::move(style)), data, started);
}

// The accessibility element of a bar: `label` (a localized key) and its
// point's value text in the chart's touch specifier and formatter.
template <class ChartData, class Point>
kit::AccessibilityElementContent barElement(const ChartData& chartData, const Point& point, std::string label)
{
    const auto& info = *chartData.infoView;
    return {.label = std::move(label),
            .localizeLabel = true,
            .value = accessibilityValueString(point, info.touchSpecifier, info.touchFormatter),
            .localizeValue = false};
}

// The accessibility element of the bar of point `index` of a chart's data
// set, labelled with the chart's title; read when asked for, from the set
// as it is then.
template <class ChartData>
kit::AccessibilityElementContent barElementAt(const ChartData& chartData, std::size_t index)
{
    const auto& points = chartData.dataSets->dataPoints;
    if (index >= points.size())
        return {};
    return barElement(chartData, points[index], chartData.metadata->title);
}

// Where each point of `points` is.
template <class Point>
std::vector<const Point*> pointersTo(const std::vector<Point>& points)
{
    std::vector<const Point*> pointers;
    pointers.reserve(points.size());
    for (const Point& point : points)
        pointers.push_back(&point);
    return pointers;
}

// The bars of a chart of one data set, one per point, each carrying the
// chart's title and its value text. A standard or horizontal chart's bars
// stand along its value axis (valueAxisOf), one per point that has a paint,
// in equal slots shared among those points; a ranged chart's floating bars
// stand one slot per point, holding the bar of each point that has a paint.
template <class ChartData, class PaintOf>
kit::View singleSetBars(const std::shared_ptr<ChartData>& chartData, const kit::State<bool>& started, PaintOf paintOf)
{
    const ChartData& data = *chartData;
    const double barWidth = data.barStyle->barWidth;
    constexpr kit::Axis axis = valueAxisOf<ChartData>;
    constexpr bool ranged = CTRangedBarDataPoint<typename ChartData::DataPoint>;
    const auto slotsOf = [](kit::Size size, const std::vector<bool>& hasBar) {
        return barSlots(size, hasBar, axis, ranged);
    };
    const auto elementOf = [chartData](std::size_t i) { return barElementAt(*chartData, i); };
    if constexpr (ranged) {
        const double lowest = data.minValue();
        const double range = data.range();
        return barSeries(
            chartData, pointersTo(data.dataSets->dataPoints), started, slotsOf, paintOf,
            [lowest, range, barWidth](const auto& point, bool shown) {
                return RangedBarPlacer{.lowerValue = point.lowerValue,
                                       .upperValue = point.upperValue,
                                       .lowest = lowest,
                                       .range = range,
                                       .barWidth = barWidth,
                                       .shown = shown};
            },
            elementOf);
    } else {
        const double highest = data.maxValue();
        return barSeries(
            chartData, pointersTo(data.dataSets->dataPoints), started, slotsOf, paintOf,
            [highest, barWidth](const auto& point, bool shown) {
                return SlotBarPlacer{.fraction = barFraction(point.value, highest),
                                     .barWidth = barWidth,
                                     .shown = shown,
                                     .axis = axis};
            },
            elementOf);
    }
}

} // namespace charts
