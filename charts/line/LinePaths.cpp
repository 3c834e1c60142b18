#include "charts/line/LinePaths.h"

#include "charts/line/LineGeometry.h"

#include <optional>

namespace charts {

namespace {

// Joins `to` to the path's last point `from` by the line type's rule.
void join(kit::Path& path, LineType lineType, kit::Point from, kit::Point to)
{
    switch (lineType) {
    case LineType::line:
        path.addLine(to);
        return;
    case LineType::curvedLine: {
        const double d = (to.x - from.x) * 0.5;
        if (d == 0)
            path.addLine(to);
        else
            path.addCurve(to, {from.x + d, from.y}, {to.x - d, to.y});
        return;
    }
    case LineType::stepped:
        path.addLine({to.x, from.y});
        path.addLine(to);
        return;
    }
}

// On the band's way back, a step holds the lower value from the point's
// own x to the x of the last point joined.
void joinBack(kit::Path& path, LineType lineType, kit::Point from, kit::Point to)
{
    if (lineType != LineType::stepped)
        return join(path, lineType, from, to);
    path.addLine({from.x, to.y});
    path.addLine(to);
}

} // namespace

kit::Path linePath(const std::vector<LinePathPoint>& points, LineType lineType, const kit::Rect& rect, double minValue,
                   double range, bool isFilled, bool ignoreZero)
{
    kit::Path path;
    const std::size_t n = points.size();
    if (n == 0 || (lineType != LineType::curvedLine && n < 2))
        return path;
    const LineGeometry geometry(rect, n, minValue, range);
    auto drawn = [&](const LinePathPoint& point) {
        return isDrawableValue(point.value) && !(ignoreZero && point.value == 0);
    };

    std::optional<std::size_t> start;
    for (std::size_t i = 0; i < n && !start; ++i)
        if (drawn(points[i]))
            start = i;
    if (!start)
        return path;

    kit::Point last = geometry.point(*start, points[*start].value);
    path.reserve(n - *start + 3);
    path.move(last);
    for (std::size_t i = *start + 1; i < n; ++i) {
        if (!drawn(points[i]) || (ignoreZero && points[i].ignoreMe))
            continue;
        const kit::Point next = geometry.point(i, points[i].value);
        join(path, lineType, last, next);
        last = next;
    }
    if (isFilled) {
        path.addLine({geometry.x(n - 1), geometry.height});
        path.addLine({0, geometry.height});
        path.closeSubpath();
    }
    return path;
}

kit::Path bandPath(const std::vector<BandPathPoint>& points, LineType lineType, const kit::Rect& rect, double minValue,
                   double range, bool ignoreZero)
{
    kit::Path path;
    const std::size_t n = points.size();
    if (n == 0)
        return path;
    const LineGeometry geometry(rect, n, minValue, range);
    auto joined = [&](const BandPathPoint& point, double edgeValue) {
        return isDrawableValue(edgeValue) && !(ignoreZero && point.value == 0);
    };

    std::optional<std::size_t> start;
    for (std::size_t i = 0; i < n && !start; ++i)
        if (isDrawableValue(points[i].upperValue))
            start = i;
    if (!start)
        return path;

    const kit::Point first = geometry.point(*start, points[*start].upperValue);
    path.move(first);
    kit::Point last = first;
    for (std::size_t i = *start + 1; i < n; ++i) {
        if (!joined(points[i], points[i].upperValue))
            continue;
        const kit::Point next = geometry.point(i, points[i].upperValue);
        join(path, lineType, last, next);
        last = next;
    }
    for (std::size_t j = n; j-- > 0;) {
        if (!joined(points[j], points[j].lowerValue))
            continue;
        const kit::Point next = geometry.point(j, points[j].lowerValue);
        joinBack(path, lineType, last, next);
        last = next;
    }
    path.addLine(first);
    return path;
}

} // namespace charts
