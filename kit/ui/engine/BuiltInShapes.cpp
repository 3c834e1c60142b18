// The built-in shapes: rectangles, rounded rectangles, capsules, circles and
// ellipses, each insettable.

#include "kit/ui/BuiltInShapes.h"

#include <algorithm>

namespace kit {

Path Rectangle::path(const Rect& r) const
{
    return Path::rect(r.insetBy(insetAmount, insetAmount).isNull() ? Rect(r.midX(), r.midY(), 0, 0)
                                                                   : r.insetBy(insetAmount, insetAmount));
}

Path RoundedRectangle::path(const Rect& r) const
{
    const Rect inner = r.insetBy(insetAmount, insetAmount);
    if (inner.isNull())
        return {};
    Path p;
    p.addRoundedRect(inner,
                     {std::max(0.0, cornerSize.width - insetAmount), std::max(0.0, cornerSize.height - insetAmount)},
                     style);
    return p;
}

void RoundedRectangle::setAnimatableData(const AnimatableData& d)
{
    if (d.first.size() == 2)
        cornerSize = {d.first[0], d.first[1]};
}

Path Capsule::path(const Rect& r) const
{
    const Rect inner = r.insetBy(insetAmount, insetAmount);
    if (inner.isNull())
        return {};
    const double radius = std::min(inner.width(), inner.height()) / 2;
    Path p;
    p.addRoundedRect(inner, {radius, radius});
    return p;
}

Path Circle::path(const Rect& r) const
{
    const double d = std::min(r.width(), r.height()) - 2 * insetAmount;
    if (d < 0)
        return {};
    return Path::ellipse(Rect(r.midX() - d / 2, r.midY() - d / 2, d, d));
}

Path Ellipse::path(const Rect& r) const
{
    const Rect inner = r.insetBy(insetAmount, insetAmount);
    return inner.isNull() ? Path() : Path::ellipse(inner);
}

} // namespace kit
