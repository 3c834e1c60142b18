#include "liquid/PointCloud.h"

#include "kit/base/Random.h"
#include "kit/base/VectorMath.h"

#include <algorithm>

namespace liquid {

namespace {

// Places the values evenly from 0 to count − 1 and reads them back at every
// integer position in between.
std::vector<double> resample(const std::vector<double>& values, std::size_t count)
{
    if (values.empty() || count == 0)
        return {};
    auto positions = kit::vec::ramp(0.0, static_cast<double>(count - 1), values.size());
    return kit::vec::interp(values, positions, count);
}

} // namespace

PointCloud PointCloud::read(const kit::Path& path, int count)
{
    std::vector<double> xs, ys;
    path.forEach([&](const kit::Path::Element& e) {
        using Type = kit::Path::Element::Type;
        switch (e.type) {
        case Type::move:
        case Type::line:
            xs.push_back(e.point.x);
            ys.push_back(e.point.y);
            break;
        case Type::quadCurve:
        case Type::curve:
            xs.push_back(e.control1.x);
            ys.push_back(e.control1.y);
            break;
        case Type::closeSubpath:
            break;
        }
    });
    std::size_t n = static_cast<std::size_t>(std::max(count, 0));
    return {resample(xs, n), resample(ys, n)};
}

PointCloud PointCloud::pick(int samples) const
{
    PointCloud picked;
    const std::size_t candidates = size();
    if (samples <= 0 || candidates == 0)
        return picked;
    const std::size_t n = static_cast<std::size_t>(samples);
    const std::size_t block = std::max<std::size_t>(candidates / n, 1);
    for (std::size_t start = 0, taken = 0; taken < n && start < candidates; ++taken, start += block) {
        std::size_t index = start + kit::Random::uniformInt(std::min(block, candidates - start));
        picked.x.push_back(x[index]);
        picked.y.push_back(y[index]);
    }
    return picked;
}

} // namespace liquid
