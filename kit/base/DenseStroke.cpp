// The outline of a dense, monotone stroke: each subpath is flattened, the
// extremes of the flattened line are kept per sample column, and the round
// pen's reach above and below is taken from the columns within one radius.
//
// Sections:
//   reading a subpath   Along, controlPoints, monotoneReading (a subpath read along its axis)
//   flattening          squaredDistanceToSegment, flatten
//   the pen's reach     Extreme, Column, Envelope (the reach above and below, column by column)
//   outlines            Pieces, addOutline (closed polygons cut at device pixel edges)
//   entry points        pixelOf, denseStroke, denseStrokeOutline, denseStrokeBand

#include "kit/base/DenseStroke.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <vector>

namespace kit {

namespace {

using Type = Path::Element::Type;

// A point along the subpath's axis (u) and across it (v).
struct Along {
    double u = 0, v = 0;
};

// One open subpath: its start and its drawing elements.
struct Subpath {
    Point start;
    std::vector<const Path::Element*> segments;
};

// How a subpath is read: along y instead of x, and backwards.
struct Reading {
    bool alongY = false;
    bool backwards = false;

    Along of(Point p) const
    {
        const double u = alongY ? p.y : p.x;
        return {backwards ? -u : u, alongY ? p.x : p.y};
    }
    Point of(Along a) const
    {
        const double u = backwards ? -a.u : a.u;
        return alongY ? Point{a.v, u} : Point{u, a.v};
    }
};

// The points of a segment in order, start included.
struct ControlPoints {
    std::array<Point, 4> p;
    std::size_t count = 0;

    const Point* begin() const { return p.data(); }
    const Point* end() const { return p.data() + count; }
};

ControlPoints controlPoints(Point from, const Path::Element& e)
{
    switch (e.type) {
    case Type::quadCurve:
        return {{from, e.control1, e.point, {}}, 3};
    case Type::curve:
        return {{from, e.control1, e.control2, e.point}, 4};
    default:
        return {{from, e.point, {}, {}}, 2};
    }
}

// The reading in which every point of the subpath (control points too)
// moves one way along the axis; nothing when there is none.
std::optional<Reading> monotoneReading(const Subpath& s)
{
    for (bool alongY : {false, true}) {
        bool up = true, down = true;
        double last = alongY ? s.start.y : s.start.x;
        Point from = s.start;
        for (const Path::Element* e : s.segments) {
            for (const Point& p : controlPoints(from, *e)) {
                const double c = alongY ? p.y : p.x;
                up = up && c >= last;
                down = down && c <= last;
                last = c;
            }
            from = e->point;
        }
        if (up || down)
            return Reading{alongY, !up};
    }
    return std::nullopt;
}

double squaredDistanceToSegment(Along p, Along a, Along b)
{
    const double du = b.u - a.u, dv = b.v - a.v;
    const double lengthSquared = du * du + dv * dv;
    double t = lengthSquared > 0 ? ((p.u - a.u) * du + (p.v - a.v) * dv) / lengthSquared : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double eu = p.u - (a.u + t * du), ev = p.v - (a.v + t * dv);
    return eu * eu + ev * ev;
}

// Appends a Bézier curve (degree = points − 1) as lines within `tolerance`
// of it: a piece whose control points lie that close to its chord is its
// chord (the curve lies in their hull).
void flatten(const std::array<Along, 4>& p, int degree, double tolerance, int depth, std::vector<Along>& out)
{
    bool flat = depth >= 16;
    if (!flat) {
        flat = true;
        for (int i = 1; i < degree && flat; ++i)
            flat = squaredDistanceToSegment(p[std::size_t(i)], p[0], p[std::size_t(degree)]) <= tolerance * tolerance;
    }
    if (flat) {
        out.push_back(p[std::size_t(degree)]);
        return;
    }
    // de Casteljau at one half.
    std::array<Along, 4> left{}, right{}, q = p;
    left[0] = q[0];
    right[std::size_t(degree)] = q[std::size_t(degree)];
    for (int level = degree; level > 0; --level) {
        for (int i = 0; i < level; ++i)
            q[std::size_t(i)] = {(q[std::size_t(i)].u + q[std::size_t(i) + 1].u) / 2,
                                 (q[std::size_t(i)].v + q[std::size_t(i) + 1].v) / 2};
        left[std::size_t(degree - level + 1)] = q[0];
        right[std::size_t(level - 1)] = q[std::size_t(level - 1)];
    }
    flatten(left, degree, tolerance, depth + 1, out);
    flatten(right, degree, tolerance, depth + 1, out);
}

// The highest and lowest reach (v) of the flattened line within one column
// of the sample grid, each with the first and last place (u) where the
// line reaches it (a level piece reaches it all along).
struct Extreme {
    double v;
    double first = 0, last = 0;

    void add(Along p, bool higher)
    {
        if (higher ? p.v > v : p.v < v) {
            v = p.v;
            first = last = p.u;
        } else if (p.v == v) {
            first = std::min(first, p.u);
            last = std::max(last, p.u);
        }
    }
    // The round pen's reach past v at `u`, from the nearer of the two places.
    double reach(double u, double radius) const
    {
        const double d = std::min(std::abs(first - u), std::abs(last - u));
        return d <= radius ? std::sqrt(radius * radius - d * d) : -1;
    }
};

struct Column {
    Extreme high{-std::numeric_limits<double>::infinity()};
    Extreme low{std::numeric_limits<double>::infinity()};
    bool empty() const { return high.v < low.v; }
    void add(Along p)
    {
        high.add(p, true);
        low.add(p, false);
    }
};

// The round pen's reach above and below a monotone subpath, along u.
class Envelope {
public:
    // The envelope of `s` mapped by `map` (the identity when none).
    Envelope(const Subpath& s, const Reading& reading, double radius, double step, const AffineTransform* map = nullptr)
        : radius_(radius), step_(step)
    {
        auto mapped = [map](Point p) { return map ? map->apply(p) : p; };
        // The subpath as a line along u (increasing), curves flattened.
        thread_local std::vector<Along> line;
        line.assign(1, reading.of(mapped(s.start)));
        line.reserve(s.segments.size() + 1);
        Point from = s.start;
        for (const Path::Element* e : s.segments) {
            const ControlPoints points = controlPoints(from, *e);
            std::array<Along, 4> p{};
            for (std::size_t i = 0; i < points.count; ++i)
                p[i] = reading.of(mapped(points.p[i]));
            if (points.count == 2)
                line.push_back(p[1]);
            else
                flatten(p, int(points.count) - 1, step / 4, 0, line);
            from = e->point;
        }
        first_ = line.front().u;
        last_ = line.back().u;

        // Each column's extremes, the line cut at the columns' edges.
        columns_.resize(std::size_t((last_ - first_) / step) + 1);
        columns_[columnOf(line.front().u)].add(line.front());
        for (std::size_t i = 1; i < line.size(); ++i) {
            const Along a = line[i - 1], b = line[i];
            const std::size_t ca = columnOf(a.u), cb = columnOf(b.u);
            for (std::size_t c = ca + 1; c <= cb; ++c) {
                const double edge = first_ + double(c) * step;
                const double t = b.u > a.u ? std::clamp((edge - a.u) / (b.u - a.u), 0.0, 1.0) : 0.0;
                const Along cut{edge, a.v + t * (b.v - a.v)};
                columns_[c - 1].add(cut);
                columns_[c].add(cut);
            }
            columns_[cb].add(b);
        }
    }

    // Where the stroke reaches along u.
    double from() const { return first_ - radius_; }
    double to() const { return last_ + radius_; }

    // The highest and lowest reach of the pen at u, from the columns within
    // one radius; nothing where none is near enough.
    std::optional<std::pair<double, double>> at(double u) const
    {
        double top = -std::numeric_limits<double>::infinity();
        double bottom = std::numeric_limits<double>::infinity();
        // Nearest columns first: a column whose extreme lies within one
        // radius of the reach found so far cannot pass it and is not
        // measured.
        auto visit = [&](std::size_t c) {
            const Column& column = columns_[c];
            if (column.empty())
                return;
            if (column.high.v + radius_ > top)
                if (const double reach = column.high.reach(u, radius_); reach >= 0)
                    top = std::max(top, column.high.v + reach);
            if (column.low.v - radius_ < bottom)
                if (const double reach = column.low.reach(u, radius_); reach >= 0)
                    bottom = std::min(bottom, column.low.v - reach);
        };
        const std::size_t first = columnOf(u - radius_), last = columnOf(u + radius_), centre = columnOf(u);
        visit(centre);
        for (std::size_t k = 1; centre >= first + k || centre + k <= last; ++k) {
            if (centre >= first + k)
                visit(centre - k);
            if (centre + k <= last)
                visit(centre + k);
        }
        if (!std::isfinite(top) || !std::isfinite(bottom))
            return std::nullopt;
        if (bottom > top)
            top = bottom = (top + bottom) / 2;
        return std::pair{top, bottom};
    }

private:
    std::size_t columnOf(double u) const
    {
        return std::min(columns_.size() - 1, std::size_t(std::max(0.0, (u - first_) / step_)));
    }

    double radius_, step_;
    double first_ = 0, last_ = 0;
    std::vector<Column> columns_;
};

// The outline in pieces along the subpaths' axis, cut at device pixel edges.
class Pieces {
public:
    // Cut every `width` device pixels when the transform keeps the axes and
    // every subpath runs along the same one; in one piece otherwise.
    Pieces(const AffineTransform& toDevice, const std::vector<Reading>& readings, double width)
    {
        const bool keepsAxes = toDevice.b == 0 && toDevice.c == 0;
        const bool oneAxis = std::all_of(readings.begin(), readings.end(),
                                         [&](const Reading& r) { return r.alongY == readings.front().alongY; });
        if (keepsAxes && oneAxis && !readings.empty()) {
            const bool alongY = readings.front().alongY;
            scale_ = alongY ? toDevice.d : toDevice.a;
            offset_ = alongY ? toDevice.ty : toDevice.tx;
            width_ = width;
        }
    }

    // The places (u, ascending) between `from` and `to` where pieces meet.
    std::vector<double> cuts(const Reading& reading, double from, double to) const
    {
        std::vector<double> result;
        if (!width_)
            return result;
        const double d0 = device(reading, from), d1 = device(reading, to);
        for (double k = std::floor(std::min(d0, d1) / width_) + 1; k * width_ < std::max(d0, d1); ++k) {
            const double coordinate = (k * width_ - offset_) / scale_;
            result.push_back(reading.backwards ? -coordinate : coordinate);
        }
        std::sort(result.begin(), result.end());
        return result;
    }

    // The piece a polygon between `from` and `to` belongs to.
    Path& piece(const Reading& reading, double from, double to)
    {
        const double key = width_ ? std::floor(device(reading, (from + to) / 2) / width_) : 0;
        return pieces_[key];
    }

    std::vector<Path> take()
    {
        std::vector<Path> result;
        for (auto& [key, path] : pieces_)
            result.push_back(std::move(path));
        return result;
    }

private:
    double device(const Reading& reading, double u) const { return scale_ * (reading.backwards ? -u : u) + offset_; }

    double scale_ = 1, offset_ = 0;
    double width_ = 0;
    std::map<double, Path> pieces_;
};

// Adds the outline of one subpath's stroke: closed polygons along the top
// forwards and back along the bottom, turned round where the reading
// mirrors the plane once, so that every polygon winds the same way.
void addOutline(const Envelope& envelope, const Reading& reading, double step, Pieces& pieces)
{
    std::vector<double> places;
    const double from = envelope.from(), to = envelope.to();
    const std::size_t count = std::size_t(std::ceil((to - from) / step));
    const std::vector<double> cuts = pieces.cuts(reading, from, to);
    places.reserve(count + 1 + cuts.size());
    for (std::size_t k = 0; k <= count; ++k)
        places.push_back(std::min(to, from + double(k) * step));
    std::vector<double> merged(places.size() + cuts.size());
    std::merge(places.begin(), places.end(), cuts.begin(), cuts.end(), merged.begin());

    std::vector<Along> high, low;
    auto flush = [&] {
        if (high.size() >= 2) {
            std::vector<Point> polygon;
            polygon.reserve(high.size() + low.size());
            for (const Along& a : high)
                polygon.push_back(reading.of(a));
            for (auto it = low.rbegin(); it != low.rend(); ++it)
                polygon.push_back(reading.of(*it));
            if (reading.alongY != reading.backwards)
                std::reverse(polygon.begin(), polygon.end());
            Path& piece = pieces.piece(reading, high.front().u, high.back().u);
            piece.addLines(polygon);
            piece.closeSubpath();
        }
        high.clear();
        low.clear();
    };
    auto cut = cuts.begin();
    for (double u : merged) {
        const auto reach = envelope.at(u);
        if (reach) {
            high.push_back({u, reach->first});
            low.push_back({u, reach->second});
        }
        if (cut != cuts.end() && u == *cut) {
            // The next piece starts where this one ends.
            ++cut;
            flush();
            if (reach) {
                high.push_back({u, reach->first});
                low.push_back({u, reach->second});
            }
        }
    }
    flush();
}

// Sampled every quarter pixel, the band follows a line whose points lie
// further apart too (its curves are flattened first); beyond a point every
// 16 pixels a stroke is too short a line for the band's cost per pixel of
// its length to pay.
constexpr double bandDensity = 1.0 / 16;

// The length of one device pixel in the transform's source space, along the
// direction it stretches most.
double pixelOf(const AffineTransform& t)
{
    const double a = t.a * t.a + t.b * t.b, c = t.c * t.c + t.d * t.d, b = t.a * t.c + t.b * t.d;
    const double stretch = std::sqrt((a + c) / 2 + std::sqrt((a - c) * (a - c) / 4 + b * b));
    return stretch > 0 ? 1 / stretch : 0;
}

} // namespace

namespace {

// A stroke the outline or band can stand for, read: its subpaths, how each
// runs, the pen's radius and a device pixel's length in the path's space.
struct DenseStroke {
    std::vector<Subpath> subpaths;
    std::vector<Reading> readings;
    double radius = 0;
    double pixel = 0;
};

// A stroke of at least `density` segments a pixel its subpaths span.
std::optional<DenseStroke> denseStroke(const Path& path, const StrokeStyle& style, const AffineTransform& toDevice,
                                       double density = 1)
{
    DenseStroke stroke;
    stroke.pixel = pixelOf(toDevice);
    stroke.radius = style.lineWidth / 2;
    const double pixel = stroke.pixel, radius = stroke.radius;
    if (style.lineCap != LineCap::round || style.lineJoin != LineJoin::round || style.isDashed() || !(pixel > 0) ||
        !std::isfinite(pixel) || !(radius >= pixel / 2 && radius <= 16 * pixel))
        return std::nullopt;

    std::vector<Subpath>& subpaths = stroke.subpaths;
    for (const Path::Element& e : path.elements()) {
        if (e.type == Type::closeSubpath)
            return std::nullopt;
        if (!e.point.isFinite() || !e.control1.isFinite() || !e.control2.isFinite())
            return std::nullopt;
        if (e.type == Type::move)
            subpaths.push_back({e.point, {}});
        else if (!subpaths.empty())
            subpaths.back().segments.push_back(&e);
    }
    std::erase_if(subpaths, [](const Subpath& s) { return s.segments.empty(); }); // a lone move draws nothing

    double span = 0;
    std::size_t segments = 0;
    for (const Subpath& s : subpaths) {
        const auto reading = monotoneReading(s);
        if (!reading)
            return std::nullopt;
        stroke.readings.push_back(*reading);
        const double from = reading->of(s.start).u, to = reading->of(s.segments.back()->point).u;
        span += to - from;
        segments += s.segments.size();
    }
    if (subpaths.empty() || double(segments) < density * span / pixel)
        return std::nullopt;
    return stroke;
}

} // namespace

std::optional<std::vector<Path>> denseStrokeOutline(const Path& path, const StrokeStyle& style,
                                                    const AffineTransform& toDevice)
{
    const std::optional<DenseStroke> stroke = denseStroke(path, style, toDevice);
    if (!stroke)
        return std::nullopt;
    // Qt's rasteriser slows down sharply on one outline with thousands of
    // edges; pieces 64 pixels wide keep each fill small.
    const double step = stroke->pixel / 4;
    Pieces pieces(toDevice, stroke->readings, 64);
    for (std::size_t i = 0; i < stroke->subpaths.size(); ++i)
        addOutline(Envelope(stroke->subpaths[i], stroke->readings[i], stroke->radius, step), stroke->readings[i], step,
                   pieces);
    return pieces.take();
}

std::optional<DenseStrokeBand> denseStrokeBand(const Path& path, const StrokeStyle& style,
                                               const AffineTransform& toDevice)
{
    // Upright, and as long across as along, so that the round pen stays round on the device.
    const bool upright = toDevice.b == 0 && toDevice.c == 0 && std::abs(toDevice.a) == std::abs(toDevice.d);
    const bool finite = std::isfinite(toDevice.a) && std::isfinite(toDevice.d) && std::isfinite(toDevice.tx) &&
                        std::isfinite(toDevice.ty);
    if (!upright || !finite)
        return std::nullopt;
    std::optional<DenseStroke> stroke = denseStroke(path, style, toDevice, bandDensity);
    if (!stroke || stroke->subpaths.size() != 1)
        return std::nullopt;
    // Read on the device, where the subpath runs the same way along the same
    // axis unless the transform flips that axis.
    const Subpath& subpath = stroke->subpaths.front();
    Reading reading = stroke->readings.front();
    if ((reading.alongY ? toDevice.d : toDevice.a) < 0)
        reading.backwards = !reading.backwards;
    const Envelope envelope(subpath, reading, stroke->radius / stroke->pixel, DenseStrokeBand::step, &toDevice);
    // The samples on the device's quarter pixels, from below the stroke's
    // start to past its end along the axis.
    const double from = reading.backwards ? -envelope.to() : envelope.from();
    const double to = reading.backwards ? -envelope.from() : envelope.to();
    DenseStrokeBand band;
    band.alongY = reading.alongY;
    const double first = std::floor(from / DenseStrokeBand::step);
    band.first = first * DenseStrokeBand::step;
    const std::size_t count = std::size_t(std::ceil(to / DenseStrokeBand::step) - first) + 1;
    band.low.resize(count);
    band.high.resize(count);
    for (std::size_t k = 0; k < count; ++k) {
        const double at = band.first + double(k) * DenseStrokeBand::step;
        if (const auto reach = envelope.at(reading.backwards ? -at : at)) {
            band.low[k] = reach->second;
            band.high[k] = reach->first;
        } else {
            band.low[k] = std::numeric_limits<double>::infinity();
            band.high[k] = -std::numeric_limits<double>::infinity();
        }
    }
    return band;
}

} // namespace kit
