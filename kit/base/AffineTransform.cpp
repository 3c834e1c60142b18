#include "kit/base/AffineTransform.h"

#include <QTransform>

#include <cmath>

namespace kit {

AffineTransform AffineTransform::rotation(double radians)
{
    const double cs = std::cos(radians), sn = std::sin(radians);
    return {cs, sn, -sn, cs, 0, 0};
}

AffineTransform AffineTransform::concatenating(const AffineTransform& t) const
{
    return {a * t.a + b * t.c, a * t.b + b * t.d,          c * t.a + d * t.c,
            c * t.b + d * t.d, tx * t.a + ty * t.c + t.tx, tx * t.b + ty * t.d + t.ty};
}

std::optional<AffineTransform> AffineTransform::inverted() const
{
    const double det = a * d - b * c;
    if (det == 0 || !std::isfinite(det))
        return std::nullopt;
    const double ia = d / det, ib = -b / det, ic = -c / det, id = a / det;
    return AffineTransform{ia, ib, ic, id, -(tx * ia + ty * ic), -(tx * ib + ty * id)};
}

QTransform AffineTransform::toQTransform() const
{
    return QTransform(a, b, c, d, tx, ty);
}

} // namespace kit
