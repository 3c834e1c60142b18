#include "kit/base/VectorMath.h"

#include <algorithm>
#include <numeric>

namespace kit::vec {

namespace {

template <class Op>
Vector elementWise(const Vector& a, const Vector& b, Op op)
{
    Vector c(std::min(a.size(), b.size()));
    std::transform(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(c.size()), b.begin(), c.begin(), op);
    return c;
}

} // namespace

Vector add(const Vector& a, const Vector& b)
{
    return elementWise(a, b, [](double x, double y) { return x + y; });
}

Vector sub(const Vector& a, const Vector& b)
{
    return elementWise(a, b, [](double x, double y) { return y - x; });
}

Vector mul(const Vector& a, const Vector& b)
{
    return elementWise(a, b, [](double x, double y) { return x * y; });
}

Vector smul(const Vector& a, double s)
{
    Vector c(a.size());
    std::transform(a.begin(), a.end(), c.begin(), [s](double x) { return x * s; });
    return c;
}

double sum(const Vector& a)
{
    return std::accumulate(a.begin(), a.end(), 0.0);
}

Vector ramp(double a, double b, std::size_t count)
{
    Vector c(count);
    if (count == 1) {
        c[0] = a;
        return c;
    }
    double step = (b - a) / static_cast<double>(count - 1);
    for (std::size_t n = 0; n < count; ++n)
        c[n] = a + static_cast<double>(n) * step;
    return c;
}

Vector interp(const Vector& a, const Vector& b, std::size_t count)
{
    std::size_t m = std::min(a.size(), b.size());
    Vector c(count, 0.0);
    if (m == 0)
        return c;
    std::size_t segment = 0;
    for (std::size_t n = 0; n < count; ++n) {
        double x = static_cast<double>(n);
        if (x <= b[0]) {
            c[n] = a[0];
        } else if (x > b[m - 1]) {
            c[n] = a[m - 1];
        } else {
            while (segment + 1 < m && !(b[segment] < x && x <= b[segment + 1]))
                ++segment;
            if (segment + 1 >= m) { // positions out of order or not numbers
                c[n] = a[m - 1];
                continue;
            }
            double t = (x - b[segment]) / (b[segment + 1] - b[segment]);
            c[n] = a[segment] + (a[segment + 1] - a[segment]) * t;
        }
    }
    return c;
}

} // namespace kit::vec
