#include "liquid/LiquidPath.h"

#include "liquid/SmoothClosedCurve.h"

#include <algorithm>

namespace liquid {

std::vector<kit::Point> LiquidPath::points() const
{
    std::size_t n = std::min(x.values.size(), y.values.size());
    std::vector<kit::Point> result(n);
    for (std::size_t i = 0; i < n; ++i)
        result[i] = {x.values[i], y.values[i]};
    return result;
}

kit::Path LiquidPath::path(const kit::Rect&) const
{
    return smoothClosedCurve(points());
}

} // namespace liquid
