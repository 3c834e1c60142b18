#pragma once

#include "charts/core/ChartEnums.h"
#include "charts/core/ColourStyle.h"
#include "charts/core/Hasher.h"
#include "charts/core/Stroke.h"

namespace charts {

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

} // namespace charts

template <>
struct std::hash<charts::LineStyle> {
    std::size_t operator()(const charts::LineStyle& s) const
    {
        return charts::hashValues(s.lineColour, s.lineType, s.strokeStyle, s.ignoreZero);
    }
};
