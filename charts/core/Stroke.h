#pragma once

#include "charts/core/Hasher.h"
#include "kit/base/StrokeStyle.h"
#include "kit/base/UUID.h"

#include <vector>

namespace charts {

// How a line is stroked, with an identity: only copies of one stroke are
// equal, two strokes made from the same values are not.
struct Stroke {
    kit::UUID id;
    double lineWidth = 0;
    kit::LineCap lineCap = kit::LineCap::butt;
    kit::LineJoin lineJoin = kit::LineJoin::miter;
    double miterLimit = 0;
    std::vector<double> dash;
    double dashPhase = 0;

    // A stroke with a fresh id.
    Stroke(double lineWidth, kit::LineCap lineCap, kit::LineJoin lineJoin, double miterLimit, std::vector<double> dash,
           double dashPhase)
        : lineWidth(lineWidth), lineCap(lineCap), lineJoin(lineJoin), miterLimit(miterLimit), dash(std::move(dash)),
          dashPhase(dashPhase)
    {
    }

    // The toolkit's stroke style with the same six drawing values.
    kit::StrokeStyle strokeStyle() const { return {lineWidth, lineCap, lineJoin, miterLimit, dash, dashPhase}; }

    friend bool operator==(const Stroke&, const Stroke&) = default;
};

// The shared stroke of width 3, round cap and join, miter limit 10 and no
// dash; made once, on first use, and kept for the life of the process.
inline const Stroke& defaultStroke()
{
    static const Stroke stroke(3.0, kit::LineCap::round, kit::LineJoin::round, 10.0, {}, 0.0);
    return stroke;
}

} // namespace charts

template <>
struct std::hash<charts::Stroke> {
    std::size_t operator()(const charts::Stroke& s) const
    {
        return charts::hashValues(s.id, s.lineWidth, s.lineCap, s.lineJoin, s.miterLimit, s.dash, s.dashPhase);
    }
};
