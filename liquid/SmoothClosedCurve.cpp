#include "liquid/SmoothClosedCurve.h"

namespace liquid {

namespace {

struct Handles {
    kit::Point incoming; // second control point of the segment ending here
    kit::Point outgoing; // first control point of the segment leaving here
};

Handles handlesAt(kit::Point previous, kit::Point point, kit::Point next)
{
    kit::Point chord = previous - next;
    double length = chord.length();
    // Coincident neighbours give no direction: the handles sit on the point.
    kit::Point unit = length > 0 ? chord * (1.0 / length) : kit::Point{};
    return {point + unit * (point.distance(previous) / 3.0), point - unit * (point.distance(next) / 3.0)};
}

} // namespace

kit::Path smoothClosedCurve(const std::vector<kit::Point>& points)
{
    kit::Path path;
    const std::size_t n = points.size();
    if (n < 3)
        return path;

    std::vector<Handles> handles(n);
    for (std::size_t i = 0; i < n; ++i)
        handles[i] = handlesAt(points[(i + n - 1) % n], points[i], points[(i + 1) % n]);

    path.move(points[n - 1]);
    for (std::size_t i = 0; i < n; ++i)
        path.addCurve(points[i], handles[(i + n - 1) % n].outgoing, handles[i].incoming);
    return path;
}

} // namespace liquid
