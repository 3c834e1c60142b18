#include "kit/base/Rect.h"

#include "kit/base/AffineTransform.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kit {

Rect Rect::null()
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    return Rect(inf, inf, 0, 0);
}

bool Rect::isNull() const
{
    return std::isinf(origin.x) || std::isinf(origin.y);
}

bool Rect::isEmpty() const
{
    return isNull() || size.width == 0 || size.height == 0;
}

double Rect::minX() const
{
    return std::min(origin.x, origin.x + size.width);
}
double Rect::maxX() const
{
    return std::max(origin.x, origin.x + size.width);
}
double Rect::minY() const
{
    return std::min(origin.y, origin.y + size.height);
}
double Rect::maxY() const
{
    return std::max(origin.y, origin.y + size.height);
}
double Rect::width() const
{
    return std::abs(size.width);
}
double Rect::height() const
{
    return std::abs(size.height);
}

Rect Rect::standardized() const
{
    if (isNull())
        return null();
    return Rect(minX(), minY(), width(), height());
}

Rect Rect::unionWith(const Rect& other) const
{
    if (isNull())
        return other.standardized();
    if (other.isNull())
        return standardized();
    const double x0 = std::min(minX(), other.minX());
    const double y0 = std::min(minY(), other.minY());
    return Rect(x0, y0, std::max(maxX(), other.maxX()) - x0, std::max(maxY(), other.maxY()) - y0);
}

Rect Rect::intersection(const Rect& other) const
{
    if (isNull() || other.isNull())
        return null();
    const double x0 = std::max(minX(), other.minX());
    const double y0 = std::max(minY(), other.minY());
    const double x1 = std::min(maxX(), other.maxX());
    const double y1 = std::min(maxY(), other.maxY());
    if (x1 < x0 || y1 < y0)
        return null();
    return Rect(x0, y0, x1 - x0, y1 - y0);
}

Rect Rect::insetBy(double dx, double dy) const
{
    if (isNull())
        return null();
    Rect r = standardized();
    r.origin.x += dx;
    r.origin.y += dy;
    r.size.width -= 2 * dx;
    r.size.height -= 2 * dy;
    if (r.size.width < 0 || r.size.height < 0)
        return null();
    return r;
}

Rect Rect::offsetBy(double dx, double dy) const
{
    if (isNull())
        return null();
    return Rect(origin.x + dx, origin.y + dy, size.width, size.height);
}

bool Rect::contains(Point p) const
{
    return !isNull() && p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
}

Rect Rect::applying(const AffineTransform& t) const
{
    if (isNull())
        return null();
    const Point corners[] = {t.apply({minX(), minY()}), t.apply({maxX(), minY()}), t.apply({maxX(), maxY()}),
                             t.apply({minX(), maxY()})};
    double x0 = corners[0].x, x1 = x0, y0 = corners[0].y, y1 = y0;
    for (const Point& c : corners) {
        x0 = std::min(x0, c.x);
        x1 = std::max(x1, c.x);
        y0 = std::min(y0, c.y);
        y1 = std::max(y1, c.y);
    }
    return Rect(x0, y0, x1 - x0, y1 - y0);
}

} // namespace kit
