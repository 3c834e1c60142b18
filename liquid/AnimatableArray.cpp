#include "liquid/AnimatableArray.h"

#include "kit/base/VectorMath.h"

#include <algorithm>

namespace liquid {

namespace {

// Writes `head` over the first head.size() elements of `values`.
void overwriteHead(std::vector<double>& values, const std::vector<double>& head)
{
    std::copy(head.begin(), head.end(), values.begin());
}

} // namespace

const AnimatableArray& AnimatableArray::zero()
{
    static const AnimatableArray value{{0.0}};
    return value;
}

AnimatableArray operator+(const AnimatableArray& a, const AnimatableArray& b)
{
    return {kit::vec::add(a.values, b.values)};
}

AnimatableArray operator-(const AnimatableArray& a, const AnimatableArray& b)
{
    // The vector routine subtracts its first operand from its second.
    return {kit::vec::sub(b.values, a.values)};
}

AnimatableArray& AnimatableArray::operator+=(const AnimatableArray& b)
{
    overwriteHead(values, kit::vec::add(values, b.values));
    return *this;
}

AnimatableArray& AnimatableArray::operator-=(const AnimatableArray& b)
{
    overwriteHead(values, kit::vec::sub(b.values, values));
    return *this;
}

void AnimatableArray::scale(double s)
{
    values = kit::vec::smul(values, s);
}

double AnimatableArray::magnitudeSquared() const
{
    return kit::vec::sum(kit::vec::mul(values, values));
}

AnimatableArray AnimatableArray::interpolate(const AnimatableArray& from, const AnimatableArray& to, double progress)
{
    if (from.values.size() != to.values.size())
        return to;
    AnimatableArray step = to - from;
    step.scale(progress);
    return from + step;
}

} // namespace liquid
