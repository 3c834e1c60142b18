#pragma once

#include "charts/core/ValueText.h"
#include "charts/overlays/CustomLabelShape.h"
#include "charts/overlays/DiamondShape.h"
#include "charts/overlays/LeadingLabelShape.h"
#include "charts/overlays/PointOfInterestProtocol.h"
#include "charts/overlays/PositionedPOILabel.h"
#include "charts/overlays/TrailingLabelShape.h"
#include "kit/ui/Shape.h"
#include "kit/ui/Text.h"

#include <optional>
#include <string>

namespace charts {

// The label views of points of interest. Every one is a framed label: its
// text (looked up in the string table) in `labelFont` and `labelColour`,
// padded on every edge, filled with `labelBackground`, clipped to its shape
// and bordered with that shape stroked in `labelBorderColor`. The shape is
// the caller's `customLabelShape` when given, else the label's own; the
// padding is the caller's when given, else the label's own.

// The padding of the centre and positioned labels when none is given: the
// toolkit's standard padding.
inline constexpr double poiStandardPadding = 16;

// The border of the axis labels: 1 point wide, butt caps, miter joins.
inline kit::StrokeStyle poiAxisLabelBorder()
{
    return kit::StrokeStyle{.lineWidth = 1};
}

// One framed label; `verticalPadding` more is added at top and bottom.
inline kit::View framedPOILabel(const std::string& text, const kit::Font& labelFont, const kit::Color& labelColour,
                                const kit::Color& labelBackground, const kit::Color& labelBorderColor,
                                const CustomLabelShape& shape, const kit::StrokeStyle& border, double padding,
                                double verticalPadding = 0)
{
    kit::View label = kit::Text(text).font(labelFont).foregroundColor(labelColour).padding(padding);
    if (verticalPadding != 0)
        label = label.padding(kit::Edge::vertical, verticalPadding);
    return label.background(kit::View(labelBackground), kit::Alignment::center())
        .clipShape(shape)
        .overlay(kit::Shape(shape).stroke(labelBorderColor, border), kit::Alignment::center());
}

// The callout that points from the value-label side towards the chart:
// leading labels point trailing, trailing labels point leading.
template <PointOfInterestProtocol ChartData>
CustomLabelShape poiSideLabelShape(const ChartData& chartData)
{
    if (chartData.chartStyle->yAxisLabelPosition == YAxisLabelPosistion::leading)
        return CustomLabelShape(LeadingLabelShape());
    return CustomLabelShape(TrailingLabelShape());
}

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

// The label of a value beside the value axis: the value text (the
// formatter's, "" when it gives none; else the specifier's), padded 4 by
// default, in the callout of the y-axis label side, bordered 1 point wide.
template <PointOfInterestProtocol ChartData>
kit::View poiLabelAxis(const ChartData& chartData, double markerValue, const std::string& specifier,
                       const NumberFormatterPtr& formatter, const kit::Font& labelFont, const kit::Color& labelColour,
                       const kit::Color& labelBackground, const kit::Color& labelBorderColor,
                       const std::optional<CustomLabelShape>& customLabelShape, std::optional<double> padding)
{
    return framedPOILabel(valueText(markerValue, specifier, formatter), labelFont, labelColour, labelBackground,
                          labelBorderColor, customLabelShape.value_or(poiSideLabelShape(chartData)),
                          poiAxisLabelBorder(), padding.value_or(4.0));
}

// The label of a value on its marker: the value text, padded by the
// standard padding by default, in a diamond bordered with `strokeStyle`.
template <PointOfInterestProtocol ChartData>
kit::View poiLabelCenter(const ChartData&, double markerValue, const std::string& specifier,
                         const NumberFormatterPtr& formatter, const kit::Font& labelFont, const kit::Color& labelColour,
                         const kit::Color& labelBackground, const kit::Color& labelBorderColor,
                         const kit::StrokeStyle& strokeStyle, const std::optional<CustomLabelShape>& customLabelShape,
                         std::optional<double> padding)
{
    return framedPOILabel(valueText(markerValue, specifier, formatter), labelFont, labelColour, labelBackground,
                          labelBorderColor, customLabelShape.value_or(CustomLabelShape(DiamondShape())), strokeStyle,
                          padding.value_or(poiStandardPadding));
}

// The centre label of a value placed along its marker at `location`: across
// the chart from the leading edge, or from the trailing edge when the
// y-axis labels stand trailing; down a horizontal bar chart from the top,
// or from the bottom when its x-axis labels stand at the bottom.
template <PointOfInterestProtocol ChartData>
kit::View poiLabelPosition(const ChartData& chartData, double location, double markerValue,
                           const std::string& specifier, const NumberFormatterPtr& formatter,
                           const kit::Font& labelFont, const kit::Color& labelColour, const kit::Color& labelBackground,
                           const kit::Color& labelBorderColor, const kit::StrokeStyle& strokeStyle,
                           const std::optional<CustomLabelShape>& customLabelShape, std::optional<double> padding)
{
    const auto& style = *chartData.chartStyle;
    constexpr bool horizontalBars = HorizontalChartData<ChartData>;
    const bool flipped = horizontalBars ? style.xAxisLabelPosition == XAxisLabelPosistion::bottom
                                        : style.yAxisLabelPosition == YAxisLabelPosistion::trailing;
    const kit::View label = poiLabelCenter(chartData, markerValue, specifier, formatter, labelFont, labelColour,
                                           labelBackground, labelBorderColor, strokeStyle, customLabelShape, padding);
    return PositionedPOILabel([label] { return label; },
                              horizontalBars ? PositionedPOILabel::Orientation::vertical
                                             : PositionedPOILabel::Orientation::horizontal,
                              poiLabelDistance(location, flipped));
}

// The label of a data point beside the category axis: `text`, padded 4 by
// default; below or above the chart 4 more at top and bottom, in a rounded
// rectangle (corner radius 5); beside a horizontal bar chart in the callout
// of the y-axis label side. Bordered 1 point wide.
template <PointOfInterestProtocol ChartData>
kit::View poiAbscissaLabelAxis(const ChartData& chartData, const std::string& text, const kit::Font& labelFont,
                               const kit::Color& labelColour, const kit::Color& labelBackground,
                               const kit::Color& labelBorderColor,
                               const std::optional<CustomLabelShape>& customLabelShape, std::optional<double> padding)
{
    if constexpr (HorizontalChartData<ChartData>)
        return framedPOILabel(text, labelFont, labelColour, labelBackground, labelBorderColor,
                              customLabelShape.value_or(poiSideLabelShape(chartData)), poiAxisLabelBorder(),
                              padding.value_or(4.0));
    else
        return framedPOILabel(text, labelFont, labelColour, labelBackground, labelBorderColor,
                              customLabelShape.value_or(
                                  CustomLabelShape(kit::RoundedRectangle(5.0, kit::RoundedCornerStyle::continuous))),
                              poiAxisLabelBorder(), padding.value_or(4.0), 4.0);
}

// The label of a data point on its marker: `text`, padded by the standard
// padding by default, in a diamond bordered with `strokeStyle`.
template <PointOfInterestProtocol ChartData>
kit::View poiAbscissaLabelCenter(const ChartData&, const std::string& text, const kit::Font& labelFont,
                                 const kit::Color& labelColour, const kit::Color& labelBackground,
                                 const kit::Color& labelBorderColor, const kit::StrokeStyle& strokeStyle,
                                 const std::optional<CustomLabelShape>& customLabelShape, std::optional<double> padding)
{
    return framedPOILabel(text, labelFont, labelColour, labelBackground, labelBorderColor,
                          customLabelShape.value_or(CustomLabelShape(DiamondShape())), strokeStyle,
                          padding.value_or(poiStandardPadding));
}

// The centre label of a data point placed along its marker at `location`:
// down the chart from the top, or from the bottom when the x-axis labels
// stand at the bottom; across a horizontal bar chart from the leading
// edge, or from the trailing edge when its y-axis labels stand trailing.
template <PointOfInterestProtocol ChartData>
kit::View
poiAbscissaLabelPosition(const ChartData& chartData, double location, const std::string& text,
                         const kit::Font& labelFont, const kit::Color& labelColour, const kit::Color& labelBackground,
                         const kit::Color& labelBorderColor, const kit::StrokeStyle& strokeStyle,
                         const std::optional<CustomLabelShape>& customLabelShape, std::optional<double> padding)
{
    const auto& style = *chartData.chartStyle;
    constexpr bool horizontalBars = HorizontalChartData<ChartData>;
    const bool flipped = horizontalBars ? style.yAxisLabelPosition == YAxisLabelPosistion::trailing
                                        : style.xAxisLabelPosition == XAxisLabelPosistion::bottom;
    const kit::View label = poiAbscissaLabelCenter(chartData, text, labelFont, labelColour, labelBackground,
                                                   labelBorderColor, strokeStyle, customLabelShape, padding);
    return PositionedPOILabel([label] { return label; },
                              horizontalBars ? PositionedPOILabel::Orientation::horizontal
                                             : PositionedPOILabel::Orientation::vertical,
                              poiLabelDistance(location, flipped));
}

} // namespace charts
