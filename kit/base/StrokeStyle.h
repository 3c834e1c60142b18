#pragma once

#include "kit/base/Hashing.h"

#include <cstdint>
#include <vector>

class QPen;
class QBrush;

namespace kit {

enum class LineCap : std::int32_t { butt = 0, round = 1, square = 2 };
enum class LineJoin : std::int32_t { miter = 0, round = 1, bevel = 2 };

// How a path is stroked: centred on the path, half the width on each side.
struct StrokeStyle {
    double lineWidth = 1;
    LineCap lineCap = LineCap::butt;
    LineJoin lineJoin = LineJoin::miter;
    double miterLimit = 10;
    std::vector<double> dash;
    double dashPhase = 0;

    // Whether the dash pattern draws dashes at all: an empty list, all zeros
    // or any negative entry draws a solid line.
    bool isDashed() const;
    // A Qt pen with every field set (Qt's defaults differ), dash lengths in
    // pen widths, odd patterns doubled, miter joins as SVG miters.
    QPen toQPen(const QBrush& brush) const;

    friend bool operator==(const StrokeStyle&, const StrokeStyle&) = default;
};

// Fill rule and antialiasing: non-zero winding and antialiased unless asked.
struct FillStyle {
    bool eoFill = false;
    bool antialiased = true;
    friend bool operator==(const FillStyle&, const FillStyle&) = default;
};

} // namespace kit

template <>
struct std::hash<kit::StrokeStyle> {
    std::size_t operator()(const kit::StrokeStyle& s) const noexcept
    {
        std::size_t seed = kit::hashDouble(s.lineWidth);
        kit::hashCombine(seed, std::hash<std::int32_t>{}(static_cast<std::int32_t>(s.lineCap)));
        kit::hashCombine(seed, std::hash<std::int32_t>{}(static_cast<std::int32_t>(s.lineJoin)));
        kit::hashCombine(seed, kit::hashDouble(s.miterLimit));
        for (double d : s.dash)
            kit::hashCombine(seed, kit::hashDouble(d));
        kit::hashCombine(seed, kit::hashDouble(s.dashPhase));
        return seed;
    }
};
