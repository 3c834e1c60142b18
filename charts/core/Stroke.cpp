#include "charts/core/Stroke.h"

namespace charts {

const Stroke& defaultStroke()
{
    static const Stroke stroke(3.0, kit::LineCap::round, kit::LineJoin::round, 10.0, {}, 0.0);
    return stroke;
}

} // namespace charts
