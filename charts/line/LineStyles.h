#pragma once

// The styles of line charts: the chart-wide LineChartStyle, the style of each
// line (LineStyle) and of a line with a band (RangedLineStyle), and the
// protocols the views read them through.

#include "charts/core/ChartEnums.h"
#include "charts/core/ChartStyleProtocols.h"
#include "charts/core/ColourStyle.h"
#include "charts/core/CommonLineBarChartStyle.h"
#include "charts/core/Hasher.h"
#include "charts/core/MarkerTypes.h"
#include "charts/core/Stroke.h"

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace charts {

// The chart-wide style of every line chart: the touch info box, the marker a
// touch draws on the lines, both axes (grid lines, labels, titles, borders),
// where the value axis starts and ends, and the animation of the chart's
// views. A plain value of public fields, stored as given, made from every
// field in declaration order; neither equatable nor hashable.
struct LineChartStyle : CommonLineBarChartStyle<LineMarkerType> {
    LineChartStyle(InfoBoxPlacement infoBoxPlacement, InfoBoxAlignment infoBoxContentAlignment,
                   kit::Font infoBoxValueFont, kit::Color infoBoxValueColour, kit::Font infoBoxDescriptionFont,
                   kit::Color infoBoxDescriptionColour, kit::Color infoBoxBackgroundColour,
                   kit::Color infoBoxBorderColour, kit::StrokeStyle infoBoxBorderStyle, LineMarkerType markerType,
                   GridStyle xAxisGridStyle, XAxisLabelPosistion xAxisLabelPosition, kit::Font xAxisLabelFont,
                   kit::Color xAxisLabelColour, LabelsFrom xAxisLabelsFrom, std::optional<std::string> xAxisTitle,
                   kit::Font xAxisTitleFont, kit::Color xAxisTitleColour, std::optional<kit::Color> xAxisBorderColour,
                   GridStyle yAxisGridStyle, YAxisLabelPosistion yAxisLabelPosition, kit::Font yAxisLabelFont,
                   kit::Color yAxisLabelColour, std::int64_t yAxisNumberOfLabels, YAxisLabelType yAxisLabelType,
                   std::optional<std::string> yAxisTitle, kit::Font yAxisTitleFont, kit::Color yAxisTitleColour,
                   std::optional<kit::Color> yAxisBorderColour, Baseline baseline, Topline topLine,
                   kit::Animation globalAnimation)
        : CommonLineBarChartStyle{{.infoBoxPlacement = std::move(infoBoxPlacement),
                                   .infoBoxContentAlignment = infoBoxContentAlignment,
                                   .infoBoxValueFont = std::move(infoBoxValueFont),
                                   .infoBoxValueColour = infoBoxValueColour,
                                   .infoBoxDescriptionFont = std::move(infoBoxDescriptionFont),
                                   .infoBoxDescriptionColour = infoBoxDescriptionColour,
                                   .infoBoxBackgroundColour = infoBoxBackgroundColour,
                                   .infoBoxBorderColour = infoBoxBorderColour,
                                   .infoBoxBorderStyle = std::move(infoBoxBorderStyle),
                                   .globalAnimation = std::move(globalAnimation)},
                                  {.markerType = std::move(markerType),
                                   .xAxisGridStyle = std::move(xAxisGridStyle),
                                   .xAxisLabelPosition = xAxisLabelPosition,
                                   .xAxisLabelFont = std::move(xAxisLabelFont),
                                   .xAxisLabelColour = xAxisLabelColour,
                                   .xAxisLabelsFrom = std::move(xAxisLabelsFrom),
                                   .xAxisTitle = std::move(xAxisTitle),
                                   .xAxisTitleFont = std::move(xAxisTitleFont),
                                   .xAxisTitleColour = xAxisTitleColour,
                                   .xAxisBorderColour = xAxisBorderColour,
                                   .yAxisGridStyle = std::move(yAxisGridStyle),
                                   .yAxisLabelPosition = yAxisLabelPosition,
                                   .yAxisLabelFont = std::move(yAxisLabelFont),
                                   .yAxisLabelColour = yAxisLabelColour,
                                   .yAxisNumberOfLabels = yAxisNumberOfLabels,
                                   .yAxisLabelType = yAxisLabelType,
                                   .yAxisTitle = std::move(yAxisTitle),
                                   .yAxisTitleFont = std::move(yAxisTitleFont),
                                   .yAxisTitleColour = yAxisTitleColour,
                                   .yAxisBorderColour = yAxisBorderColour,
                                   .baseline = std::move(baseline),
                                   .topLine = std::move(topLine)}}
    {
    }
};

// The style of a line chart: a chart style with axes whose touch marker is
// a LineMarkerType.
template <class S>
concept CTLineChartStyle = CTLineBarChartStyle<S> && std::same_as<typename S::Mark, LineMarkerType>;

static_assert(CTLineChartStyle<LineChartStyle>);

// The style of one line: how its points are joined, its colour, its stroke,
// and whether points of value exactly 0 are left out of the drawing.
template <class S>
concept CTLineStyle = std::copyable<S> && requires(S style)
{
    {
        style.lineType
        } -> std::same_as<LineType&>;
    {
        style.lineColour
        } -> std::same_as<ColourStyle&>;
    {
        style.strokeStyle
        } -> std::same_as<Stroke&>;
    {
        style.ignoreZero
        } -> std::same_as<bool&>;
};

// The style of a line with a filled band around it.
template <class S>
concept CTRangedLineStyle = CTLineStyle<S> && requires(S style)
{
    {
        style.fillColour
        } -> std::same_as<ColourStyle&>;
};

// How one line is drawn: its colour, how its points are joined, its stroke
// and whether points of value exactly 0 are left out of the drawing (no
// segment, no marker, no marker position; a touch still lists them). Equal
// and hashed over every field; the stroke's own id counts, so styles made
// from strokes made apart are unequal.
struct LineStyle {
    ColourStyle lineColour;
    LineType lineType;
    Stroke strokeStyle;
    bool ignoreZero;

    LineStyle(ColourStyle lineColour, LineType lineType, Stroke strokeStyle, bool ignoreZero)
        : lineColour(std::move(lineColour)), lineType(lineType), strokeStyle(std::move(strokeStyle)),
          ignoreZero(ignoreZero)
    {
    }

    friend bool operator==(const LineStyle&, const LineStyle&) = default;
};

// How a line with a band is drawn: the line's colour, the band's fill, how
// points are joined (the band follows the same rule), the line's stroke and
// whether zeros are left out. Equal and hashed over every field.
struct RangedLineStyle {
    ColourStyle lineColour;
    ColourStyle fillColour;
    LineType lineType;
    Stroke strokeStyle;
    bool ignoreZero;

    RangedLineStyle(ColourStyle lineColour, ColourStyle fillColour, LineType lineType, Stroke strokeStyle,
                    bool ignoreZero)
        : lineColour(std::move(lineColour)), fillColour(std::move(fillColour)), lineType(lineType),
          strokeStyle(std::move(strokeStyle)), ignoreZero(ignoreZero)
    {
    }

    friend bool operator==(const RangedLineStyle&, const RangedLineStyle&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::LineStyle> {
    std::size_t operator()(const charts::LineStyle& s) const
    {
        return charts::hashValues(s.lineColour, s.lineType, s.strokeStyle, s.ignoreZero);
    }
};

template <>
struct std::hash<charts::RangedLineStyle> {
    std::size_t operator()(const charts::RangedLineStyle& s) const
    {
        return charts::hashValues(s.lineColour, s.fillColour, s.lineType, s.strokeStyle, s.ignoreZero);
    }
};
