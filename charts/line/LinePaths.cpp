#include "charts/line/LinePaths.h"

#include "charts/line/LineGeometry.h"

#include <algorithm>
#include <cmath>
#include <iterator>
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

// Joins the points of one line in their order, a quarter of a unit of x at a
// time: of the points within one quarter only the first, the lowest, the
// highest and the last are joined, in the order they come. A point left out
// lies within its quarter between the lowest and the highest kept, which the
// line through the kept ones passes on its way across that quarter: within
// each quarter the line reaches exactly as high and as low as the one through
// every point, and strays from it by less than a quarter of a unit across.
// A pen's band is sampled a quarter of a pixel at a time from the highest and
// lowest point of each quarter, so where the line starts on a whole pixel of
// a display of one pixel per unit it paints the pixels of the line through
// every point; and a line of far more points than its width holds a few
// pieces per quarter of its width rather than one per point.
// Points a quarter or more apart are all joined.
//
// The lowest and highest are found by value (a value's place on the screen
// follows its value one way or the other), so only the points joined are
// placed.
class QuarterJoiner {
public:
    QuarterJoiner(kit::Path& path, LineType lineType, const LineGeometry& geometry, std::size_t start, double value)
        : path_(path), lineType_(lineType), geometry_(geometry), step_(geometry.step()),
          last_(geometry.point(start, value))
    {
        path_.move(last_);
        begin({start, value});
    }

    void add(std::size_t index, double value)
    {
        if (quarter(index) != quarter_) {
            flush();
            joinTo({index, value});
            begin({index, value});
            return;
        }
        if (value < lowest_.value)
            lowest_ = {index, value};
        if (value > highest_.value)
            highest_ = {index, value};
        latest_ = {index, value};
    }

    // Joins what the last quarter kept.
    void flush()
    {
        Kept kept[] = {lowest_, highest_, latest_};
        std::sort(std::begin(kept), std::end(kept), [](const Kept& a, const Kept& b) { return a.index < b.index; });
        std::size_t joined = first_;
        for (const Kept& k : kept) {
            if (k.index == joined)
                continue;
            joinTo(k);
            joined = k.index;
        }
        first_ = joined;
        lowest_ = highest_ = latest_ = {joined, latest_.value};
    }

private:
    struct Kept {
        std::size_t index = 0;
        double value = 0;
    };

    // The same x as the geometry's, step × index.
    double quarter(std::size_t index) const { return std::floor(step_ * static_cast<double>(index) * 4); }

    void joinTo(const Kept& k)
    {
        const kit::Point point = geometry_.point(k.index, k.value);
        join(path_, lineType_, last_, point);
        last_ = point;
    }

    void begin(const Kept& k)
    {
        first_ = k.index;
        quarter_ = quarter(k.index);
        lowest_ = highest_ = latest_ = k;
    }

    kit::Path& path_;
    LineType lineType_;
    const LineGeometry& geometry_;
    double step_ = 0;
    kit::Point last_;
    std::size_t first_ = 0;
    double quarter_ = 0;
    Kept lowest_, highest_, latest_;
};

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

    // A line of far more points than quarters of its width holds a few pieces per
    // quarter (at most four points, two elements each for steps), else one per point.
    const std::size_t pieces = n - *start + 3;
    const double quarters = geometry.width * 4;
    path.reserve(quarters >= 0 && quarters * 8 < static_cast<double>(pieces)
                     ? static_cast<std::size_t>(quarters * 8) + 8
                     : pieces);
    QuarterJoiner joiner(path, lineType, geometry, *start, points[*start].value);
    for (std::size_t i = *start + 1; i < n; ++i) {
        if (!drawn(points[i]) || (ignoreZero && points[i].ignoreMe))
            continue;
        joiner.add(i, points[i].value);
    }
    joiner.flush();
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
