#pragma once

#include "charts/core/Baseline.h"
#include "charts/core/ColourStyle.h"
#include "charts/core/LineMarkerType.h"
#include "charts/core/LineType.h"
#include "charts/core/PointStyle.h"
#include "charts/core/Stroke.h"
#include "charts/core/Topline.h"

#include <cstdint>
#include <optional>
#include <string>

namespace charts {

// How a chart's extra line is drawn, spaced, marked and scaled. Its baseline
// and top line apply to the extra line alone, so a line of quite another
// magnitude still fills the chart's height.
struct ExtraLineStyle {
    // Where the points stand across the width: `line` puts the first at the
    // left edge and the last at the right edge; `bar` puts each in the middle
    // of one of n equal sections.
    enum class SpacingType { line, bar };
    // How the line comes into view: drawn along its length, or raised from
    // the bottom edge.
    enum class AnimationType { draw, raise };

    ColourStyle lineColour;
    LineType lineType;
    SpacingType lineSpacing;
    LineMarkerType markerType;
    Stroke strokeStyle;
    PointStyle pointStyle;
    std::optional<std::string> yAxisTitle;
    std::int64_t yAxisNumberOfLabels;
    AnimationType animationType;
    Baseline baseline;
    Topline topLine;
};

} // namespace charts
