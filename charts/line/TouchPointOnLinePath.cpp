#include "charts/line/TouchPointOnLinePath.h"

#include "charts/core/ExtraLineData.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <list>

namespace charts {

namespace {

// Bitwise, so that a value that is not a number still matches itself.
bool same(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool samePoints(const std::vector<LinePathPoint>& a, const std::vector<LinePathPoint>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const LinePathPoint& p, const LinePathPoint& q) {
        return same(p.value, q.value) && p.ignoreMe == q.ignoreMe;
    });
}

// A drawn line with the arc length at the end of each of its elements, kept
// while a drag moves over the same line: the line's path and its measure
// are worked out once, and each touch then trims only the elements that
// hold the piece it needs.
struct MeasuredLine {
    std::vector<LinePathPoint> points;
    LineType lineType;
    bool ignoreZero;
    double width, height, minValue, range;
    kit::Path path;
    // ends[k]: the arc length from the start to the end of element k + 1
    // (element 0 is the move).
    std::vector<double> ends;

    bool matches(const std::vector<LinePathPoint>& p, LineType t, bool z, const kit::Rect& rect, double min,
                 double r) const
    {
        return t == lineType && z == ignoreZero && same(rect.width(), width) && same(rect.height(), height) &&
               same(min, minValue) && same(r, range) && samePoints(p, points);
    }
};

MeasuredLine measure(const std::vector<LinePathPoint>& points, LineType lineType, bool ignoreZero,
                     const kit::Rect& rect, double minValue, double range)
{
    MeasuredLine line{.points = points,
                      .lineType = lineType,
                      .ignoreZero = ignoreZero,
                      .width = rect.width(),
                      .height = rect.height(),
                      .minValue = minValue,
                      .range = range};
    line.path = linePath(points, lineType, rect, minValue, range, false, ignoreZero);
    const auto& elements = line.path.elements();
    double total = 0;
    for (std::size_t k = 1; k < elements.size(); ++k) {
        kit::Path piece;
        piece.move(elements[k - 1].point);
        if (elements[k].type == kit::Path::Element::Type::curve)
            piece.addCurve(elements[k].point, elements[k].control1, elements[k].control2);
        else
            piece.addLine(elements[k].point);
        total += piece.length();
        line.ends.push_back(total);
    }
    return line;
}

// The few lines measured last, most recent first.
const MeasuredLine& measuredLine(const std::vector<LinePathPoint>& points, LineType lineType, bool ignoreZero,
                                 const kit::Rect& rect, double minValue, double range)
{
    constexpr std::size_t kept = 8;
    thread_local std::list<MeasuredLine> lines;
    for (auto it = lines.begin(); it != lines.end(); ++it) {
        if (it->matches(points, lineType, ignoreZero, rect, minValue, range)) {
            lines.splice(lines.begin(), lines, it);
            return lines.front();
        }
    }
    lines.push_front(measure(points, lineType, ignoreZero, rect, minValue, range));
    if (lines.size() > kept)
        lines.pop_back();
    return lines.front();
}

// Element k + 1 of the line's path alone, from the end of the one before.
kit::Path element(const MeasuredLine& line, std::size_t k)
{
    const auto& elements = line.path.elements();
    const auto& e = elements[k + 1];
    kit::Path piece;
    piece.move(elements[k].point);
    if (e.type == kit::Path::Element::Type::curve)
        piece.addCurve(e.point, e.control1, e.control2);
    else
        piece.addLine(e.point);
    return piece;
}

// The bounds of the path's piece between arc lengths `from` and `to`: the
// elements at either end trimmed, those between them whole.
kit::Rect boundsBetween(const MeasuredLine& line, double from, double to)
{
    const std::size_t count = line.ends.size();
    const std::size_t first =
        static_cast<std::size_t>(std::upper_bound(line.ends.begin(), line.ends.end(), from) - line.ends.begin());
    if (first >= count)
        return kit::Rect::null();
    const std::size_t last =
        std::min(static_cast<std::size_t>(std::lower_bound(line.ends.begin(), line.ends.end(), to) - line.ends.begin()),
                 count - 1);
    auto startOf = [&](std::size_t k) { return k == 0 ? 0.0 : line.ends[k - 1]; };
    auto trimmed = [&](std::size_t k, double a, double b) {
        const double length = line.ends[k] - startOf(k);
        return element(line, k).trimmedPath((a - startOf(k)) / length, (b - startOf(k)) / length).boundingRect();
    };
    if (first == last)
        return trimmed(first, from, to);
    kit::Rect bounds = trimmed(first, from, line.ends[first]).unionWith(trimmed(last, startOf(last), to));
    if (last > first + 1) {
        kit::Path middle;
        const auto& elements = line.path.elements();
        middle.move(elements[first + 1].point);
        for (std::size_t k = first + 1; k < last; ++k)
            middle.addPath(element(line, k));
        bounds = bounds.unionWith(middle.boundingRect());
    }
    return bounds;
}

} // namespace

std::optional<kit::Point> touchPointOnLinePath(const std::vector<LinePathPoint>& points, LineType lineType,
                                               bool ignoreZero, const kit::Rect& chartSize, kit::Point touchLocation,
                                               double minValue, double range)
{
    const MeasuredLine& line = measuredLine(points, lineType, ignoreZero, chartSize, minValue, range);
    const double fraction = pathLengthFraction(line.path, touchLocation);
    if (std::isnan(fraction) || line.ends.empty() || !(line.ends.back() > 0))
        return std::nullopt;
    const double from = fraction > 0.999 ? 0.999 : std::clamp(fraction, 0.0, 1.0);
    const double to = fraction > 0.999 ? 1.0 : std::clamp(fraction + 0.001, 0.0, 1.0);
    const double total = line.ends.back();
    const kit::Rect bounds = boundsBetween(line, from * total, to * total);
    if (bounds.isNull())
        return std::nullopt;
    return bounds.center();
}

} // namespace charts
