#include "liquid/Liquid.h"

#include "liquid/LiquidCircleView.h"
#include "liquid/LiquidPathView.h"

namespace liquid {

Liquid::Liquid(int samples, double period) : content(LiquidCircleView(samples, period)) {}

Liquid::Liquid(const kit::Path& path, int pointCount, int samples, double period)
    : content(LiquidPathView(path, pointCount, samples, period))
{
}

} // namespace liquid
