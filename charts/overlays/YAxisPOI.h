#pragma once

#include "charts/overlays/POIDecoration.h"
#include "charts/overlays/POILabels.h"
#include "charts/overlays/POIMarkers.h"
#include "kit/base/UUID.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/State.h"

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

namespace charts {

// A marker line across the chart at one value of the value axis (a given
// value, or the chart's mean when the modifier is made), with the value's
// label on the value axis, in the middle of the line, at a place along it,
// or nowhere (labelPosition), and optionally a legend entry. The geometry
// comes from the chart data's point-of-interest operations, so on a
// horizontal bar chart the line stands upright.
//
// The value, the chart's lowest value and its range are taken when the
// modifier is made; the legend entry is added then too (setupPOILegend).
// The line draws itself in by trim with the chart style's animation when
// the label layer appears, and back out when it leaves. A chart without
// data, or whose value, lowest value or range is not a number (the mean of
// nothing), shows the chart alone. How the line and the label look, and
// whether there is a legend entry, are the fields of its POIStyle.
template <PointOfInterestProtocol ChartData>
struct YAxisPOI : POIStyle {
    kit::ObservedObject<ChartData> chartData;
    kit::UUID uuid;
    std::string markerName;
    double markerValue = 0;
    double range = 0;
    double minValue = 0;
    kit::State<bool> startAnimation{false};

    YAxisPOI(const std::shared_ptr<ChartData>& chartData, std::string markerName, double markerValue,
             DisplayValue labelPosition, kit::Font labelFont, kit::Color labelColour, kit::Color labelBackground,
             kit::Color lineColour, std::optional<kit::Color> labelBorderColor, kit::StrokeStyle strokeStyle,
             std::optional<CustomLabelShape> customLabelShape, std::optional<double> padding, bool addToLegends,
             bool useAverage)
        : POIStyle{.lineColour = lineColour,
                   .strokeStyle = std::move(strokeStyle),
                   .labelPosition = std::move(labelPosition),
                   .labelFont = labelFont,
                   .labelColour = labelColour,
                   .labelBackground = labelBackground,
                   .labelBorderColor = labelBorderColor.value_or(lineColour),
                   .customLabelShape = std::move(customLabelShape),
                   .padding = padding,
                   .addToLegends = addToLegends},
          chartData(chartData), markerName(std::move(markerName)),
          markerValue(useAverage ? chartData->average() : markerValue), range(chartData->range()),
          minValue(chartData->minValue())
    {
        setupLegends();
    }

    // Adds the marker's legend entry to the chart's legends when the
    // modifier asks for one (setupPOILegend).
    void setupLegends() const { setupPOILegend(*this); }

    auto dynamicFields() { return std::tie(chartData, startAnimation); }

    kit::View body(const kit::View& content) const
    {
        const ChartData& chart = *chartData;
        const bool shown = chart.hasData() && std::isfinite(markerValue) && std::isfinite(minValue) &&
                           std::isfinite(range);
        return poiLayers(content, chart, shown, poiMarker(chartData.object(), markerValue, range, minValue), *this,
                         startAnimation, [self = *this, chart = chartData.object()](const kit::Rect& frame) {
                             return self.label(*chart, frame);
                         });
    }

private:
    // The label labelPosition asks for, placed in the chart's `frame`.
    kit::View label(const ChartData& data, const kit::Rect& frame) const
    {
        if (const auto* axis = std::get_if<DisplayValue::YAxis>(&labelPosition.value)) {
            return placedPOILabel(poiLabelAxis(data, markerValue, axis->specifier, axis->formatter, *this),
                                  poiAxisLabelLocation(data, frame, markerValue, minValue, range), markerName,
                                  specifierText(axis->specifier, markerValue));
        }
        if (const auto* center = std::get_if<DisplayValue::Center>(&labelPosition.value)) {
            return placedPOILabel(poiLabelCenter(data, markerValue, center->specifier, center->formatter, *this),
                                  poiMarkerLocation(data, frame, markerValue, minValue, range), markerName,
                                  specifierText(center->specifier, markerValue));
        }
        if (const auto* position = std::get_if<DisplayValue::Position>(&labelPosition.value)) {
            const kit::View label = poiLabelPosition(data, position->location, markerValue, position->specifier,
                                                     position->formatter, *this)
                                        .frame(frame.width(), frame.height(), kit::Alignment::center())
                                        .fixedSize();
            return placedPOILabel(label, poiCenterLabelLocation(data, frame, markerValue, minValue, range), markerName,
                                  specifierText(position->specifier, markerValue));
        }
        return kit::EmptyView();
    }
};

// `view` with a point of interest at `markerValue` (YAxisPOI); the label
// border takes the line colour when no colour is given.
template <PointOfInterestProtocol ChartData>
kit::View applyYAxisPOI(const kit::View& view, const std::shared_ptr<ChartData>& chartData, std::string markerName,
                        double markerValue, DisplayValue labelPosition = DisplayValue::center("%.0f", nullptr),
                        kit::Font labelFont = kit::Font::caption(), kit::Color labelColour = kit::Color::primary(),
                        kit::Color labelBackground = kit::Color::windowBackground(),
                        kit::Color lineColour = kit::Color::blue(),
                        std::optional<kit::Color> labelBorderColor = std::nullopt,
                        kit::StrokeStyle strokeStyle = kit::StrokeStyle{},
                        std::optional<CustomLabelShape> customLabelShape = std::nullopt,
                        std::optional<double> padding = std::nullopt, bool addToLegends = true)
{
    return view.modifier(YAxisPOI<ChartData>(chartData, std::move(markerName), markerValue, std::move(labelPosition),
                                             labelFont, labelColour, labelBackground, lineColour, labelBorderColor,
                                             std::move(strokeStyle), std::move(customLabelShape), padding, addToLegends,
                                             false));
}

// `view` with a point of interest at the chart's mean when the modifier is
// made (YAxisPOI).
template <PointOfInterestProtocol ChartData>
kit::View applyYAxisPOI(const kit::View& view, const std::shared_ptr<ChartData>& chartData, std::string markerName,
                        DisplayValue labelPosition = DisplayValue::center("%.0f", nullptr),
                        kit::Font labelFont = kit::Font::caption(), kit::Color labelColour = kit::Color::primary(),
                        kit::Color labelBackground = kit::Color::windowBackground(),
                        kit::Color lineColour = kit::Color::blue(),
                        std::optional<kit::Color> labelBorderColor = std::nullopt,
                        kit::StrokeStyle strokeStyle = kit::StrokeStyle{},
                        std::optional<CustomLabelShape> customLabelShape = std::nullopt,
                        std::optional<double> padding = std::nullopt, bool addToLegends = true)
{
    return view.modifier(YAxisPOI<ChartData>(chartData, std::move(markerName), 0, std::move(labelPosition), labelFont,
                                             labelColour, labelBackground, lineColour, labelBorderColor,
                                             std::move(strokeStyle), std::move(customLabelShape), padding, addToLegends,
                                             true));
}

} // namespace charts
