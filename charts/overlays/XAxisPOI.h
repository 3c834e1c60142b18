#pragma once

#include "charts/overlays/POIDecoration.h"
#include "charts/overlays/POILabels.h"
#include "charts/overlays/POIMarkers.h"
#include "kit/base/UUID.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/State.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

namespace charts {

// A marker line across the chart at data point `markerValue` of
// `dataPointCount` (both the caller's; neither is checked against the
// data), with the marker's name as its label beside the category axis, in
// the middle of the line, at a place along it, or nowhere (labelPosition:
// only the place is read, never a specifier or formatter), and optionally
// a legend entry, added when the modifier is made (setupPOILegend). The
// geometry comes from the chart data's point-of-interest operations, so on
// a horizontal bar chart the line lies across. The line draws itself in by
// trim with the chart style's animation when the label layer appears, and
// back out when it leaves. A chart without data shows the chart alone.
// How the line and the label look, and whether there is a legend entry, are
// the fields of its POIStyle.
template <PointOfInterestProtocol ChartData>
struct XAxisPOI : POIStyle {
    kit::UUID uuid;
    kit::ObservedObject<ChartData> chartData;
    std::string markerName;
    std::int64_t markerValue = 0;
    std::int64_t dataPointCount = 0;
    kit::State<bool> startAnimation{false};

    XAxisPOI(const std::shared_ptr<ChartData>& chartData, std::string markerName, std::int64_t markerValue,
             std::int64_t dataPointCount, kit::Color lineColour, std::optional<kit::Color> labelBorderColor,
             kit::StrokeStyle strokeStyle, DisplayValue labelPosition, kit::Font labelFont, kit::Color labelColour,
             kit::Color labelBackground, std::optional<CustomLabelShape> customLabelShape,
             std::optional<double> padding, bool addToLegends)
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
          chartData(chartData), markerName(std::move(markerName)), markerValue(markerValue),
          dataPointCount(dataPointCount)
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
        return poiLayers(content, chart, chart.hasData(),
                         poiAbscissaMarker(chartData.object(), markerValue, dataPointCount), *this, startAnimation,
                         [self = *this, chart = chartData.object()](const kit::Rect& frame) {
                             return self.label(*chart, frame);
                         });
    }

private:
    // The label labelPosition asks for, placed in the chart's `frame`; its
    // accessibility value ends with the index in decimal digits.
    kit::View label(const ChartData& data, const kit::Rect& frame) const
    {
        const std::string index = std::to_string(markerValue);
        if (std::holds_alternative<DisplayValue::YAxis>(labelPosition.value))
            return placedPOILabel(poiAbscissaLabelAxis(data, markerName, *this),
                                  poiAbscissaAxisLabelLocation(data, markerValue, dataPointCount, frame), markerName,
                                  index);
        if (std::holds_alternative<DisplayValue::Center>(labelPosition.value))
            return placedPOILabel(poiAbscissaLabelCenter(data, markerName, *this),
                                  poiAbscissaMarkerLocation(data, markerValue, dataPointCount, frame), markerName,
                                  index);
        if (const auto* position = std::get_if<DisplayValue::Position>(&labelPosition.value)) {
            const kit::View label = poiAbscissaLabelPosition(data, position->location, markerName, *this)
                                        .frame(frame.width(), frame.height(), kit::Alignment::center())
                                        .fixedSize();
            return placedPOILabel(label, poiAbscissaCenterLabelLocation(data, markerValue, dataPointCount, frame),
                                  markerName, index);
        }
        return kit::EmptyView();
    }
};

// `view` with a point of interest at data point `markerValue` of
// `dataPointCount` (XAxisPOI); the label border takes the line colour when
// no colour is given.
template <PointOfInterestProtocol ChartData>
kit::View applyXAxisPOI(const kit::View& view, const std::shared_ptr<ChartData>& chartData, std::string markerName,
                        std::int64_t markerValue, std::int64_t dataPointCount,
                        kit::Color lineColour = kit::Color::blue(),
                        std::optional<kit::Color> labelBorderColor = std::nullopt,
                        kit::StrokeStyle strokeStyle = kit::StrokeStyle{},
                        DisplayValue labelPosition = DisplayValue::center("%.0f", nullptr),
                        kit::Font labelFont = kit::Font::caption(), kit::Color labelColour = kit::Color::primary(),
                        kit::Color labelBackground = kit::Color::windowBackground(),
                        std::optional<CustomLabelShape> customLabelShape = std::nullopt,
                        std::optional<double> padding = std::nullopt, bool addToLegends = true)
{
    return view.modifier(XAxisPOI<ChartData>(chartData, std::move(markerName), markerValue, dataPointCount, lineColour,
                                             labelBorderColor, std::move(strokeStyle), std::move(labelPosition),
                                             labelFont, labelColour, labelBackground, std::move(customLabelShape),
                                             padding, addToLegends));
}

} // namespace charts
