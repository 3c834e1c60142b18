#pragma once

#include "charts/axes/LineBarChartDataObject.h"
#include "kit/base/Localization.h"
#include "kit/base/StrokeStyle.h"

#include <string>
#include <vector>

namespace charts {

// What the two kinds of points of interest share: their legend entry and
// the accessibility value of their labels.

// Appends the marker's legend entry to the chart's legends (one announced
// change) unless an entry already reads `markerName` (compared after
// Unicode normalisation, nothing else compared): a line entry with the id
// `id`, the marker's colour as a flat colour, a copy of its stroke with a
// fresh identity, and priority 2. So a marker made again and again, or two
// markers of one name, add one entry. The list is copied before it is
// searched: it may grow while views are being built.
template <LineBarChartDataObject ChartData>
void setupPOILegend(ChartData& chartData, const kit::UUID& id, const std::string& markerName,
                    const kit::Color& lineColour, const kit::StrokeStyle& strokeStyle)
{
    const std::vector<LegendData> legends = *chartData.legends;
    for (const LegendData& legend : legends)
        if (kit::equalAfterNFC(legend.legend, markerName))
            return;
    LegendData entry(id, markerName, ColourStyle(lineColour),
                     Stroke(strokeStyle.lineWidth, strokeStyle.lineCap, strokeStyle.lineJoin, strokeStyle.miterLimit,
                            strokeStyle.dash, strokeStyle.dashPhase),
                     2, ChartType::line);
    chartData.legends.modify([&](std::vector<LegendData>& list) { list.push_back(std::move(entry)); });
}

// The legend entry of a point-of-interest modifier: setupPOILegend with the
// modifier's uuid, name, line colour and stroke, when it asks for an entry
// and its chart is still there.
template <class POI>
void setupPOILegend(const POI& poi)
{
    if (!poi.addToLegends)
        return;
    if (const auto chart = poi.chartData.object())
        setupPOILegend(*chart, poi.uuid, poi.markerName, poi.lineColour, poi.strokeStyle);
}

// The accessibility value of a marker's label: the translation of
// `markerName` + " %@" with `valueText` in place of its first "%@". Every
// other character is copied as it stands, so a "%" in the name never acts
// as a directive: "50% line" with 3 reads "50% line 3".
std::string poiAccessibilityValue(const std::string& markerName, const std::string& valueText);

} // namespace charts
