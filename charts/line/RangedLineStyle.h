#pragma once

#include "charts/core/ChartEnums.h"
#include "charts/core/ColourStyle.h"
#include "charts/core/Hasher.h"
#include "charts/core/Stroke.h"

namespace charts {

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
struct std::hash<charts::RangedLineStyle> {
    std::size_t operator()(const charts::RangedLineStyle& s) const
    {
        return charts::hashValues(s.lineColour, s.fillColour, s.lineType, s.strokeStyle, s.ignoreZero);
    }
};
