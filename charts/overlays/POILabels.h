#pragma once

#include "charts/core/ValueText.h"
#include "charts/overlays/POIDecoration.h"
#include "charts/overlays/PointOfInterestProtocol.h"
#include "kit/ui/Shape.h"
#include "kit/ui/State.h"
#include "kit/ui/Text.h"
#include "kit/ui/View.h"

#include <functional>
#include <optional>
#include <string>
#include <tuple>

namespace charts {

// The label views of points of interest, and where they are placed. Every
// one is a framed label: its text (looked up in the string table) in the
// style's `labelFont` and `labelColour`, padded on every edge, filled with
// `labelBackground`, clipped to its shape and bordered with that shape
// stroked in `labelBorderColor`. The shape is the style's
// `customLabelShape` when given, else the label's own; the padding is the
// style's when given, else the label's own.
//
// Each label operation comes in two forms: over the style of the point of
// interest, and with the style's fields one by one.
//
// In order: the framed label; the positioned label and its place along the
// marker; the two labels every point of interest builds on (beside the
// value labels, on the marker); the labels of a value (poiLabel...); the
// labels of a data point (poiAbscissaLabel...); a label placed and
// announced (placedPOILabel).

// The padding of the centre and positioned labels when none is given: the
// toolkit's standard padding.
inline constexpr double poiStandardPadding = 16;

// The border of the axis labels: 1 point wide, butt caps, miter joins.
inline kit::StrokeStyle poiAxisLabelBorder()
{
    return kit::StrokeStyle{.lineWidth = 1};
}

// What a framed label takes where the style says nothing, and what it adds.
struct POILabelFrame {
    CustomLabelShape shape;
    kit::StrokeStyle border;
    double padding = 0;
    // More padding at top and bottom.
    double verticalPadding = 0;
};

// One framed label of `text`.
inline kit::View framedPOILabel(const std::string& text, const POIStyle& style, const POILabelFrame& frame)
{
    const CustomLabelShape shape = style.customLabelShape.value_or(frame.shape);
    kit::View label = kit::Text(text)
                          .font(style.labelFont)
                          .foregroundColor(style.labelColour)
                          .padding(style.padding.value_or(frame.padding));
    if (frame.verticalPadding != 0)
        label = label.padding(kit::Edge::vertical, frame.verticalPadding);
    return label.background(kit::View(style.labelBackground), kit::Alignment::center())
        .clipShape(shape)
        .overlay(kit::Shape(shape).stroke(style.labelBorderColor, frame.border), kit::Alignment::center());
}

// The style that the label operations' fields one by one give.
inline POIStyle poiLabelStyle(const kit::Font& labelFont, const kit::Color& labelColour,
                              const kit::Color& labelBackground, const kit::Color& labelBorderColor,
                              const kit::StrokeStyle& strokeStyle,
                              const std::optional<CustomLabelShape>& customLabelShape, std::optional<double> padding)
{
    return {.strokeStyle = strokeStyle,
            .labelFont = labelFont,
            .labelColour = labelColour,
            .labelBackground = labelBackground,
            .labelBorderColor = labelBorderColor,
            .customLabelShape = customLabelShape,
            .padding = padding};
}

// A label placed along a marker line: of the room its row (or column)
// leaves beside the label, the share `distanceFromLeading` (0 to 1) goes
// before it, the rest after it, so that at 0 the label touches the leading
// (top) edge and at 1 the trailing (bottom) edge, and never leaves its
// container. The label's and the container's lengths are measured when
// they appear, so the first layout puts the label at the leading edge and
// the next one at its place; they are not measured again while shown. A
// label longer than its container gets no room before it.
struct PositionedPOILabel {
    // The axis along which the label is placed.
    using Orientation = kit::Axis;

    std::function<kit::View()> content;
    Orientation orientation = Orientation::horizontal;
    double distanceFromLeading = 0;
    kit::State<double> contentSize{0};
    kit::State<double> containerSize{0};

    PositionedPOILabel(std::function<kit::View()> content, Orientation orientation, double distanceFromLeading)
        : content(std::move(content)), orientation(orientation), distanceFromLeading(distanceFromLeading)
    {
    }

    auto dynamicFields() { return std::tie(contentSize, containerSize); }

    kit::View body() const;

    // The room before the label.
    double leadingGap() const;
};

// Where along the marker a positioned label stands: `location` read from
// the leading (top) edge, or from the other edge where the chart's axis
// labels stand on that side (`flipped`); 0.5 for a location outside 0 to 1
// or not a number.
inline double poiLabelDistance(double location, bool flipped)
{
    if (!(location >= 0 && location <= 1))
        return 0.5;
    return flipped ? 1 - location : location;
}

// `label` placed along a marker line that runs along `markerAxis`, at
// `location`: across the chart from the leading edge, or from the trailing
// edge when the y-axis labels stand trailing; down the chart from the top,
// or from the bottom when the x-axis labels stand at the bottom.
template <PointOfInterestProtocol ChartData>
kit::View poiLabelAlongMarker(const ChartData& chartData, kit::Axis markerAxis, double location, const kit::View& label)
{
    const auto& style = *chartData.chartStyle;
    const bool flipped = markerAxis == kit::Axis::horizontal ? style.yAxisLabelPosition == YAxisLabelPosistion::trailing
                                                             : style.xAxisLabelPosition == XAxisLabelPosistion::bottom;
    return PositionedPOILabel([label] { return label; }, markerAxis, poiLabelDistance(location, flipped));
}

// The label beside the value labels: `text`, padded 4 by default, in the
// callout that points from the y-axis label side towards the chart (leading
// labels point trailing, trailing labels point leading), bordered 1 point
// wide.
template <PointOfInterestProtocol ChartData>
kit::View poiSideLabel(const ChartData& chartData, const std::string& text, const POIStyle& style)
{
    const bool leading = chartData.chartStyle->yAxisLabelPosition == YAxisLabelPosistion::leading;
    return framedPOILabel(text, style,
                          {.shape = leading ? CustomLabelShape(LeadingLabelShape())
                                            : CustomLabelShape(TrailingLabelShape()),
                           .border = poiAxisLabelBorder(),
                           .padding = 4.0});
}

// The label on a marker: `text`, padded by the standard padding by default,
// in a diamond bordered with the style's stroke.
inline kit::View poiCentreLabel(const std::string& text, const POIStyle& style)
{
    return framedPOILabel(text, style,
                          {.shape = CustomLabelShape(DiamondShape()),
                           .border = style.strokeStyle,
                           .padding = poiStandardPadding});
}

// The label of a value beside the value axis: the value text (the
// formatter's, "" when it gives none; else the specifier's) beside the
// value labels (poiSideLabel). The style's stroke plays no part.
template <PointOfInterestProtocol ChartData>
kit::View poiLabelAxis(const ChartData& chartData, double markerValue, const std::string& specifier,
                       const NumberFormatterPtr& formatter, const POIStyle& style)
{
    return poiSideLabel(chartData, valueText(markerValue, specifier, formatter), style);
}

template <PointOfInterestProtocol ChartData>
kit::View poiLabelAxis(const ChartData& chartData, double markerValue, const std::string& specifier,
                       const NumberFormatterPtr& formatter, const kit::Font& labelFont, const kit::Color& labelColour,
                       const kit::Color& labelBackground, const kit::Color& labelBorderColor,
                       const std::optional<CustomLabelShape>& customLabelShape, std::optional<double> padding)
{
    return poiLabelAxis(chartData, markerValue, specifier, formatter,
                        poiLabelStyle(labelFont, labelColour, labelBackground, labelBorderColor, {}, customLabelShape,
                                      padding));
}

// The label of a value on its marker: the value text on the marker
// (poiCentreLabel).
template <PointOfInterestProtocol ChartData>
kit::View poiLabelCenter(const ChartData&, double markerValue, const std::string& specifier,
                         const NumberFormatterPtr& formatter, const POIStyle& style)
{
    return poiCentreLabel(valueText(markerValue, specifier, formatter), style);
}

template <PointOfInterestProtocol ChartData>
kit::View poiLabelCenter(const ChartData& chartData, double markerValue, const std::string& specifier,
                         const NumberFormatterPtr& formatter, const kit::Font& labelFont, const kit::Color& labelColour,
                         const kit::Color& labelBackground, const kit::Color& labelBorderColor,
                         const kit::StrokeStyle& strokeStyle, const std::optional<CustomLabelShape>& customLabelShape,
                         std::optional<double> padding)
{
    return poiLabelCenter(chartData, markerValue, specifier, formatter,
                          poiLabelStyle(labelFont, labelColour, labelBackground, labelBorderColor, strokeStyle,
                                        customLabelShape, padding));
}

// The centre label of a value placed along its marker at `location`
// (poiLabelAlongMarker): across the chart, down a horizontal bar chart.
template <PointOfInterestProtocol ChartData>
kit::View poiLabelPosition(const ChartData& chartData, double location, double markerValue,
                           const std::string& specifier, const NumberFormatterPtr& formatter, const POIStyle& style)
{
    return poiLabelAlongMarker(chartData, poiMarkerAxis<ChartData>, location,
                               poiLabelCenter(chartData, markerValue, specifier, formatter, style));
}

template <PointOfInterestProtocol ChartData>
kit::View poiLabelPosition(const ChartData& chartData, double location, double markerValue,
                           const std::string& specifier, const NumberFormatterPtr& formatter,
                           const kit::Font& labelFont, const kit::Color& labelColour, const kit::Color& labelBackground,
                           const kit::Color& labelBorderColor, const kit::StrokeStyle& strokeStyle,
                           const std::optional<CustomLabelShape>& customLabelShape, std::optional<double> padding)
{
    return poiLabelPosition(chartData, location, markerValue, specifier, formatter,
                            poiLabelStyle(labelFont, labelColour, labelBackground, labelBorderColor, strokeStyle,
                                          customLabelShape, padding));
}

// The label of a data point beside the category axis: `text`, padded 4 by
// default; below or above the chart 4 more at top and bottom, in a rounded
// rectangle (corner radius 5), bordered 1 point wide; beside a horizontal
// bar chart beside the value labels (poiSideLabel). The style's stroke
// plays no part.
template <PointOfInterestProtocol ChartData>
kit::View poiAbscissaLabelAxis(const ChartData& chartData, const std::string& text, const POIStyle& style)
{
    if constexpr (HorizontalChartData<ChartData>)
        return poiSideLabel(chartData, text, style);
    else
        return framedPOILabel(text, style,
                              {.shape =
                                   CustomLabelShape(kit::RoundedRectangle(5.0, kit::RoundedCornerStyle::continuous)),
                               .border = poiAxisLabelBorder(),
                               .padding = 4.0,
                               .verticalPadding = 4.0});
}

template <PointOfInterestProtocol ChartData>
kit::View poiAbscissaLabelAxis(const ChartData& chartData, const std::string& text, const kit::Font& labelFont,
                               const kit::Color& labelColour, const kit::Color& labelBackground,
                               const kit::Color& labelBorderColor,
                               const std::optional<CustomLabelShape>& customLabelShape, std::optional<double> padding)
{
    return poiAbscissaLabelAxis(chartData, text,
                                poiLabelStyle(labelFont, labelColour, labelBackground, labelBorderColor, {},
                                              customLabelShape, padding));
}

// The label of a data point on its marker: `text` on the marker
// (poiCentreLabel).
template <PointOfInterestProtocol ChartData>
kit::View poiAbscissaLabelCenter(const ChartData&, const std::string& text, const POIStyle& style)
{
    return poiCentreLabel(text, style);
}

template <PointOfInterestProtocol ChartData>
kit::View poiAbscissaLabelCenter(const ChartData& chartData, const std::string& text, const kit::Font& labelFont,
                                 const kit::Color& labelColour, const kit::Color& labelBackground,
                                 const kit::Color& labelBorderColor, const kit::StrokeStyle& strokeStyle,
                                 const std::optional<CustomLabelShape>& customLabelShape, std::optional<double> padding)
{
    return poiAbscissaLabelCenter(chartData, text,
                                  poiLabelStyle(labelFont, labelColour, labelBackground, labelBorderColor, strokeStyle,
                                                customLabelShape, padding));
}

// The centre label of a data point placed along its marker at `location`
// (poiLabelAlongMarker): down the chart, across a horizontal bar chart.
template <PointOfInterestProtocol ChartData>
kit::View poiAbscissaLabelPosition(const ChartData& chartData, double location, const std::string& text,
                                   const POIStyle& style)
{
    return poiLabelAlongMarker(chartData, poiAbscissaMarkerAxis<ChartData>, location,
                               poiAbscissaLabelCenter(chartData, text, style));
}

template <PointOfInterestProtocol ChartData>
kit::View
poiAbscissaLabelPosition(const ChartData& chartData, double location, const std::string& text,
                         const kit::Font& labelFont, const kit::Color& labelColour, const kit::Color& labelBackground,
                         const kit::Color& labelBorderColor, const kit::StrokeStyle& strokeStyle,
                         const std::optional<CustomLabelShape>& customLabelShape, std::optional<double> padding)
{
    return poiAbscissaLabelPosition(chartData, location, text,
                                    poiLabelStyle(labelFont, labelColour, labelBackground, labelBorderColor,
                                                  strokeStyle, customLabelShape, padding));
}

// The accessibility value of a marker's label: the translation of
// `markerName` + " %@" with `valueText` in place of its first "%@". Every
// other character is copied as it stands, so a "%" in the name never acts
// as a directive: "50% line" with 3 reads "50% line 3".
std::string poiAccessibilityValue(const std::string& markerName, const std::string& valueText);

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
