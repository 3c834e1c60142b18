#pragma once

// The arithmetic of bars, shared by every bar chart view and chart-data
// class, each rule written once for bars measured along either axis. Every
// length it gives can go into a frame or a shape as it is: finite and never
// below 0.
//
// Sections:
//   bars in slots     drawableLength, cornerRadius, barFraction, ValueSpan, SlotBar, barRectInSlot
//   rows and groups   stackSlots, clusterSpacing
//   below zero        negativeValueScale
//   floating, parts   RangedBarFrame, stackedPartHeight
//   touches           BarSection, barSection, barTopY, infoBoxVerticalPosition
//
// BarGeometry.cpp also draws the outline of a bar from its size
// (RoundedRectangleBarShape::path).

#include "charts/core/PositionIndex.h"
#include "kit/base/Rect.h"
#include "kit/base/Size.h"
#include "kit/ui/Layout.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace charts {

// `length` when it is a finite number above 0, else 0.
double drawableLength(double length);

// A corner radius held to 0 ... half the width and half the height (0 for
// one that is not a number).
double cornerRadius(double radius, double width, double height);

// The share of the value axis a bar of `value` covers from its base:
// value / highest, or 0 when the highest value is not a finite number above
// 0 or the quotient is not finite. Negative for a negative value.
double barFraction(double value, double highest);

// Where a bar lies along its value axis in a slot `slotLength` long,
// measured from the base: from `start` to start + length. A bar of a
// positive fraction starts at the base; one of a negative fraction ends
// there, reaching out of the slot the other way (into the room that the
// chart's scale effect leaves below or before the zero line). A bar that has
// not started (`shown` false) has length 0 at the base.
struct ValueSpan {
    double start = 0;
    double length = 0;

    // The distance of the end away from the base.
    double end() const { return start + length; }
};
ValueSpan valueSpan(double fraction, double slotLength, bool shown);

// A bar in its slot: `barWidth` of the slot across the value axis, centred,
// and `fraction` of the slot along it from the base (valueSpan), once shown.
struct SlotBar {
    double fraction = 0;
    double barWidth = 1;
    bool shown = true;

    // The bar's width across the value axis, in a slot `across` wide.
    double thickness(double across) const { return drawableLength(across * barWidth); }
    // Where the bar starts across the value axis: centred in the slot.
    double inset(double across) const { return (across - thickness(across)) * 0.5; }
    ValueSpan span(double along) const { return valueSpan(fraction, along, shown); }
};

// Where the bar of `bar` lies in a slot of `size`: across the value axis its
// thickness, centred; along it its span from the bottom edge (vertical) or
// the leading edge (horizontal). In the slot's own coordinates.
kit::Rect barRectInSlot(const SlotBar& bar, kit::Size size, kit::Axis axis);

// The slots a stack with `spacing` between neighbours gives a row (or
// column) `length` long of views that take the room they are offered
// (`flexible`) or none: the views of no room first, then the others, each
// its share of the room still left; each slot's start and length along the
// row, in order.
std::vector<ValueSpan> stackSlots(double length, const std::vector<bool>& flexible, double spacing);

// The gap left between `count` clusters across `width`: `spacing`, but no
// more than leaves the clusters half the width, so that many clusters on a
// narrow chart shrink their gaps instead of running past its edge.
inline double clusterSpacing(double spacing, double width, std::size_t count)
{
    if (count < 2)
        return spacing;
    return std::clamp(width / (2 * double(count - 1)), 0.0, std::max(0.0, spacing));
}

// The vertical factor by which a chart whose value axis reaches below 0 is
// drawn towards its top (horizontal charts: trailing) edge, so that the zero
// line of its bars lies where the axis puts it: highest / (highest −
// lowest). None when the lowest value is not below 0 or the factor is not a
// finite number in (0, 1].
std::optional<double> negativeValueScale(double lowest, double highest);

// A floating bar in a slot `height` high on a value axis from `lowest`
// over `range`: the level of its centre and its height. The bar spans from
// the lower to the upper value whichever is larger. On a range that is not
// a finite number above 0, or where the centre is not finite, it lies at the
// bottom edge with height 0. A bar that has not started keeps its centre
// and has height 0.
struct RangedBarFrame {
    double centreY = 0;
    double height = 0;
};
RangedBarFrame rangedBarFrame(double lowerValue, double upperValue, double lowest, double range, double height,
                              bool shown);

// The height of a part of a stacked column: its value's share of the
// column's total, times the column's height; 0 when the total is not a
// finite number above 0 or the share is negative.
double stackedPartHeight(double value, double total, double columnHeight);

// One of `count` equal sections of a length: its index and its size.
struct BarSection {
    std::size_t index;
    double size;

    // The middle of the section, from the start of the length.
    double middle() const { return size * 0.5 + size * static_cast<double>(index); }
};

// The section, among `count` equal sections of `length`, that holds
// `position` (a coordinate along the same axis), its index truncated toward
// zero, so a position less than one section before the start still counts
// as section 0. None beyond the sections, and none when the quotient is not
// a finite number in the signed 64-bit range (a chart of zero length).
inline std::optional<BarSection> barSection(double position, double length, std::size_t count)
{
    const double size = length / static_cast<double>(count);
    const std::optional<std::int64_t> index = positionIndex(position / size);
    if (!index || *index < 0 || *index >= static_cast<std::int64_t>(count))
        return std::nullopt;
    return BarSection{.index = static_cast<std::size_t>(*index), .size = size};
}

// How far below the top of a vertical bar chart `height` high the top of a
// bar of `value` stands, on an axis from `minValue` to `maxValue`. With a
// negative minimum the axis is scaled over the whole range; otherwise from
// 0, so a positive minimum plays no part. A range (or maximum) of 0 gives a
// coordinate that is not finite.
inline double barTopY(double value, double height, double minValue, double maxValue)
{
    if (minValue < 0)
        return height - (value - minValue) * height / (maxValue - minValue);
    return height - height / maxValue * value;
}

// The centre of a floating info box along the vertical axis of a chart
// whose categories run down its height: the touch coordinate `t` kept half
// a box height inside the chart's frame (the top bound tested first), with
// no room added for axis labels or titles.
inline double infoBoxVerticalPosition(double t, const kit::Rect& box, const kit::Rect& chart)
{
    const double halfHeight = box.height() * 0.5;
    if (chart.minY() + halfHeight > t)
        return chart.minY() + halfHeight;
    if (chart.maxY() - halfHeight < t)
        return chart.maxY() - halfHeight;
    return t;
}

} // namespace charts
