#pragma once

// Extra lines for tests: given values, with a style of the given marker,
// value range, line type and spacing.

#include "charts/core/ExtraLineData.h"

#include <vector>

namespace charts::testing {

inline ExtraLineStyle extraLineStyle(LineMarkerType marker = LineMarkerType::none(),
                                     Baseline baseline = Baseline::minimumValue(),
                                     Topline topLine = Topline::maximumValue(), LineType lineType = LineType::line,
                                     ExtraLineStyle::SpacingType spacing = ExtraLineStyle::SpacingType::line)
{
    return ExtraLineStyle{
        .lineColour = ColourStyle(kit::Color::red()),
        .lineType = lineType,
        .lineSpacing = spacing,
        .markerType = std::move(marker),
        .strokeStyle = defaultStroke(),
        .pointStyle = PointStyle{4, kit::Color::red(), kit::Color::white(), 1, PointType::filled, PointShape::circle},
        .yAxisTitle = std::nullopt,
        .yAxisNumberOfLabels = 5,
        .animationType = ExtraLineStyle::AnimationType::draw,
        .baseline = baseline,
        .topLine = topLine,
    };
}

inline ExtraLineData extraLine(const std::vector<double>& values, const ExtraLineStyle& style)
{
    return ExtraLineData(
        "Extra",
        [&] {
            std::vector<ExtraLineDataPoint> points;
            for (double v : values)
                points.emplace_back(v, std::nullopt, std::nullopt);
            return points;
        },
        [&] { return style; });
}

} // namespace charts::testing
