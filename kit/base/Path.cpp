// Paths: their elements, shared until changed, the shapes and arcs added to them, and what
// is measured along them.
//
// Sections:
//   curves             Bezier: points, splitting, arc length, bounds and extrema of one segment
//   walking a path     Segment, Subpath, Walk, walk (the segments with their lengths), Measurement
//   ready-made shapes  Path::rect, ellipse, roundedRect
//   building           push, move, addLine, the curves, closeSubpath, rectangles, ellipses,
//                      rounded rectangles, arcs, lines and other paths
//   reading            forEach, boundingRect, contains, length
//   trimming           trimmedPath, point (a place at a fraction of the length)
//   conversion         applying, toQPainterPath

#include "kit/base/Path.h"

#include <QPainterPath>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace kit {

namespace {

// The elements a new path makes room for at once.
constexpr std::size_t initialCapacity = 16;

constexpr double kEllipse = 0.5522847498307936;
constexpr double kTwoPi = 2 * std::numbers::pi;

// One drawing segment: a Bézier curve of degree 1 (line), 2 or 3.
struct Bezier {
    int degree = 1;
    std::array<Point, 4> p{};

    Point start() const { return p[0]; }
    Point end() const { return p[degree]; }

    Point at(double t) const
    {
        std::array<Point, 4> q = p;
        for (int level = degree; level > 0; --level)
            for (int i = 0; i < level; ++i)
                q[i] = Point::lerp(q[i], q[i + 1], t);
        return q[0];
    }

    Point derivative(double t) const
    {
        std::array<Point, 3> q{};
        for (int i = 0; i < degree; ++i)
            q[i] = (p[i + 1] - p[i]) * degree;
        for (int level = degree - 1; level > 0; --level)
            for (int i = 0; i < level; ++i)
                q[i] = Point::lerp(q[i], q[i + 1], t);
        return q[0];
    }

    // The parts [0, t] and [t, 1] (de Casteljau).
    std::pair<Bezier, Bezier> split(double t) const
    {
        Bezier left{degree, {}}, right{degree, {}};
        std::array<Point, 4> q = p;
        left.p[0] = q[0];
        right.p[degree] = q[degree];
        for (int level = degree; level > 0; --level) {
            for (int i = 0; i < level; ++i)
                q[i] = Point::lerp(q[i], q[i + 1], t);
            left.p[degree - level + 1] = q[0];
            right.p[level - 1] = q[level - 1];
        }
        return {left, right};
    }

    Bezier part(double t0, double t1) const
    {
        if (t0 <= 0 && t1 >= 1)
            return *this;
        Bezier head = t1 >= 1 ? *this : split(t1).first;
        if (t0 <= 0)
            return head;
        return head.split(t0 / t1).second;
    }

    // Arc length over [t0, t1], adaptive Gauss–Legendre.
    double length(double t0 = 0, double t1 = 1) const
    {
        if (degree == 1)
            return p[0].distance(p[1]) * (t1 - t0);
        const Speed speed(*this);
        const double whole = speed.gauss(t0, t1);
        return speed.adaptive(t0, t1, whole, 0);
    }

    // The parameter at arc length s from the start, for 0 ≤ s ≤ total.
    double parameterAt(double s, double total) const
    {
        if (total <= 0)
            return 0;
        if (degree == 1)
            return std::clamp(s / total, 0.0, 1.0);
        double lo = 0, hi = 1, t = s / total;
        for (int i = 0; i < 60; ++i) {
            const double f = length(0, t) - s;
            if (std::abs(f) <= 1e-12 * total)
                break;
            (f > 0 ? hi : lo) = t;
            const double speed = derivative(t).length();
            double next = speed > 0 ? t - f / speed : (lo + hi) / 2;
            if (!(next > lo && next < hi))
                next = (lo + hi) / 2;
            t = next;
        }
        return t;
    }

    void addBounds(double& x0, double& y0, double& x1, double& y1) const
    {
        auto include = [&](Point q) {
            x0 = std::min(x0, q.x);
            x1 = std::max(x1, q.x);
            y0 = std::min(y0, q.y);
            y1 = std::max(y1, q.y);
        };
        include(start());
        include(end());
        for (double t : extrema())
            include(at(t));
    }

private:
    // |B'(t)| from the derivative's power form a·t² + b·t + c, integrated
    // by adaptive Gauss–Legendre.
    struct Speed {
        Point a, b, c;

        explicit Speed(const Bezier& curve)
        {
            const auto& q = curve.p;
            if (curve.degree == 3) {
                a = (q[3] - q[2] * 3 + q[1] * 3 - q[0]) * 3;
                b = (q[2] - q[1] * 2 + q[0]) * 6;
                c = (q[1] - q[0]) * 3;
            } else {
                b = (q[2] - q[1] * 2 + q[0]) * 2;
                c = (q[1] - q[0]) * 2;
            }
        }

        double operator()(double t) const
        {
            const double x = (a.x * t + b.x) * t + c.x;
            const double y = (a.y * t + b.y) * t + c.y;
            return std::sqrt(x * x + y * y);
        }

        double gauss(double from, double to) const
        {
            static constexpr double x[5] = {0.1488743389816312, 0.4333953941292472, 0.6794095682990244,
                                            0.8650633666889845, 0.9739065285171717};
            static constexpr double w[5] = {0.2955242247147529, 0.2692667193099963, 0.2190863625159820,
                                            0.1494513491505806, 0.0666713443086881};
            const double mid = (from + to) / 2, half = (to - from) / 2;
            double sum = 0;
            for (int i = 0; i < 5; ++i)
                sum += w[i] * ((*this)(mid - half * x[i]) + (*this)(mid + half * x[i]));
            return sum * half;
        }

        double adaptive(double from, double to, double whole, int depth) const
        {
            const double mid = (from + to) / 2;
            const double left = gauss(from, mid), right = gauss(mid, to);
            if (depth >= 18 || std::abs(left + right - whole) <= 1e-12 * std::max(1.0, whole))
                return left + right;
            return adaptive(from, mid, left, depth + 1) + adaptive(mid, to, right, depth + 1);
        }
    };

    // Parameters in (0, 1) where x or y has a local extremum.
    std::vector<double> extrema() const
    {
        std::vector<double> ts;
        auto addRoot = [&](double t) {
            if (t > 0 && t < 1)
                ts.push_back(t);
        };
        for (int axis = 0; axis < 2; ++axis) {
            auto c = [&](int i) { return axis == 0 ? p[i].x : p[i].y; };
            if (degree == 2) {
                const double den = c(0) - 2 * c(1) + c(2);
                if (den != 0)
                    addRoot((c(0) - c(1)) / den);
            } else if (degree == 3) {
                // Derivative / 3 = a t² + b t + k.
                const double a = -c(0) + 3 * c(1) - 3 * c(2) + c(3);
                const double b = 2 * (c(0) - 2 * c(1) + c(2));
                const double k = c(1) - c(0);
                if (std::abs(a) < 1e-12) {
                    if (b != 0)
                        addRoot(-k / b);
                } else {
                    const double disc = b * b - 4 * a * k;
                    if (disc >= 0) {
                        const double r = std::sqrt(disc);
                        addRoot((-b + r) / (2 * a));
                        addRoot((-b - r) / (2 * a));
                    }
                }
            }
        }
        return ts;
    }
};

// A segment of the path with what trimming needs to know about it.
struct Segment {
    Bezier curve;
    bool isClose = false;
    std::size_t subpath = 0;
    double length = 0;
};

struct Subpath {
    Point start;
    std::size_t firstElement = 0;
    std::size_t endElement = 0; // one past the last element
    bool closed = false;
    double startLength = 0;
    double endLength = 0;
};

struct Walk {
    std::vector<Segment> segments;
    std::vector<Subpath> subpaths;
    double total = 0;
};

} // namespace

// A walk with arc lengths, kept with the elements it measured.
struct Path::Measurement : Walk {};

namespace {

// What a walk finds out about each segment's length: nothing (bounds need
// none), whether it has any (1) or none (0), which is all that keeping the
// whole path needs, or its arc length (lengths and trimming).
enum class Measure { none, extent, arcLength };

double measured(const Bezier& b, Measure measure)
{
    switch (measure) {
    case Measure::none:
        return 0;
    case Measure::extent:
        // A curve has no length exactly when all its points coincide; one
        // with a point that is not finite is not measured here at all.
        for (int i = 0; i <= b.degree; ++i)
            if (!b.p[static_cast<std::size_t>(i)].isFinite())
                return std::numeric_limits<double>::infinity();
        for (int i = 1; i <= b.degree; ++i)
            if (!(b.p[static_cast<std::size_t>(i)] == b.p[0]))
                return 1;
        return 0;
    case Measure::arcLength:
        return b.length();
    }
    return 0;
}

// The path's segments and subpaths, with each segment's length as `measure` says.
Walk walk(const std::vector<Path::Element>& elements, Measure measure = Measure::arcLength)
{
    using Type = Path::Element::Type;
    Walk w;
    Point current, start;
    auto push = [&](Bezier b, bool isClose) {
        Segment s{b, isClose, w.subpaths.size() - 1, measured(b, measure)};
        w.total += s.length;
        w.segments.push_back(s);
    };
    auto openSubpath = [&](std::size_t index, Point at) {
        if (!w.subpaths.empty())
            w.subpaths.back().endLength = w.total;
        w.subpaths.push_back(Subpath{at, index, index, false, w.total, w.total});
    };
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const auto& e = elements[i];
        // A drawing element after a close starts a new subpath at the old start.
        if (e.type == Type::move)
            openSubpath(i, e.point);
        else if (w.subpaths.empty() || w.subpaths.back().closed)
            openSubpath(i, start);
        switch (e.type) {
        case Type::move:
            current = start = e.point;
            break;
        case Type::line:
            push(Bezier{1, {current, e.point}}, false);
            current = e.point;
            break;
        case Type::quadCurve:
            push(Bezier{2, {current, e.control1, e.point}}, false);
            current = e.point;
            break;
        case Type::curve:
            push(Bezier{3, {current, e.control1, e.control2, e.point}}, false);
            current = e.point;
            break;
        case Type::closeSubpath:
            push(Bezier{1, {current, start}}, true);
            current = start;
            w.subpaths.back().closed = true;
            break;
        }
        w.subpaths.back().endElement = i + 1;
    }
    if (!w.subpaths.empty())
        w.subpaths.back().endLength = w.total;
    return w;
}

Path::Element elementFor(const Bezier& b)
{
    using Type = Path::Element::Type;
    switch (b.degree) {
    case 1:
        return {Type::line, b.p[1], {}, {}};
    case 2:
        return {Type::quadCurve, b.p[2], b.p[1], {}};
    default:
        return {Type::curve, b.p[3], b.p[1], b.p[2]};
    }
}

} // namespace

Path Path::rect(const Rect& r)
{
    Path p;
    p.addRect(r);
    return p;
}

Path Path::ellipse(const Rect& r)
{
    Path p;
    p.addEllipse(r);
    return p;
}

Path Path::roundedRect(const Rect& r, double cornerRadius, RoundedCornerStyle style)
{
    Path p;
    p.addRoundedRect(r, {cornerRadius, cornerRadius}, style);
    return p;
}

const std::vector<Path::Element>& Path::elements() const
{
    static const std::vector<Element> none;
    return storage_ ? storage_->elements : none;
}

void Path::reserve(std::size_t count)
{
    if (!storage_) {
        storage_ = std::make_shared<Storage>();
    } else if (storage_.use_count() > 1) {
        auto own = std::make_shared<Storage>();
        own->elements = storage_->elements;
        storage_ = std::move(own);
    }
    storage_->elements.reserve(std::max(count, initialCapacity));
}

void Path::push(const Element& e)
{
    if (!storage_) {
        storage_ = std::make_shared<Storage>();
        // Room for a shape's outline (a rounded bar or rectangle takes up to
        // a dozen elements), so building one allocates once, not at each
        // doubling.
        storage_->elements.reserve(initialCapacity);
    } else if (storage_.use_count() > 1) {
        // Shared with a copy: this path changes alone.
        auto own = std::make_shared<Storage>();
        own->elements = storage_->elements;
        storage_ = std::move(own);
    } else if (storage_->measured.load(std::memory_order_relaxed)) {
        storage_->measurement.store(nullptr);
        storage_->measured.store(false, std::memory_order_relaxed);
    }
    storage_->elements.push_back(e);
}

const Path::Measurement& Path::measured() const
{
    static const Measurement none;
    if (!storage_)
        return none;
    std::shared_ptr<const Measurement> m = storage_->measurement.load();
    if (!m) {
        auto fresh = std::make_shared<Measurement>();
        static_cast<Walk&>(*fresh) = walk(storage_->elements);
        m = std::move(fresh);
        storage_->measured.store(true, std::memory_order_relaxed);
        storage_->measurement.store(m);
    }
    // The storage keeps it alive for as long as this path does not change.
    return *m;
}

void Path::move(Point p)
{
    push({Element::Type::move, p, {}, {}});
    current_ = p;
    subpathStart_ = p;
}

void Path::addLine(Point p)
{
    if (!current_)
        return move(p);
    push({Element::Type::line, p, {}, {}});
    current_ = p;
}

void Path::addQuadCurve(Point to, Point control)
{
    if (!current_)
        return move(to);
    push({Element::Type::quadCurve, to, control, {}});
    current_ = to;
}

void Path::addCurve(Point to, Point control1, Point control2)
{
    if (!current_)
        return move(to);
    push({Element::Type::curve, to, control1, control2});
    current_ = to;
}

void Path::closeSubpath()
{
    if (isEmpty())
        return;
    push({Element::Type::closeSubpath, {}, {}, {}});
    current_ = subpathStart_;
}

void Path::addRect(const Rect& r, const AffineTransform& t)
{
    move(t.apply({r.minX(), r.minY()}));
    addLine(t.apply({r.maxX(), r.minY()}));
    addLine(t.apply({r.maxX(), r.maxY()}));
    addLine(t.apply({r.minX(), r.maxY()}));
    closeSubpath();
}

void Path::addEllipse(const Rect& r, const AffineTransform& t)
{
    const double rx = r.width() / 2, ry = r.height() / 2;
    const double kx = kEllipse * rx, ky = kEllipse * ry;
    const double x0 = r.minX(), x1 = r.midX(), x2 = r.maxX();
    const double y0 = r.minY(), y1 = r.midY(), y2 = r.maxY();
    auto T = [&](double x, double y) { return t.apply({x, y}); };
    move(T(x2, y1));
    addCurve(T(x1, y2), T(x2, y1 + ky), T(x1 + kx, y2));
    addCurve(T(x0, y1), T(x1 - kx, y2), T(x0, y1 + ky));
    addCurve(T(x1, y0), T(x0, y1 - ky), T(x1 - kx, y0));
    addCurve(T(x2, y1), T(x1 + kx, y0), T(x2, y1 - ky));
    closeSubpath();
}

void Path::addRoundedRect(const Rect& r, Size cornerSize, RoundedCornerStyle, const AffineTransform& t)
{
    const double rx = std::clamp(cornerSize.width, 0.0, r.width() / 2);
    const double ry = std::clamp(cornerSize.height, 0.0, r.height() / 2);
    if (rx == 0 || ry == 0)
        return addRect(r, t);
    const double kx = kEllipse * rx, ky = kEllipse * ry;
    const double x0 = r.minX(), x1 = r.maxX(), y0 = r.minY(), y1 = r.maxY();
    auto T = [&](double x, double y) { return t.apply({x, y}); };
    auto lineTo = [&](double x, double y) {
        if (*current_ != T(x, y))
            addLine(T(x, y));
    };
    move(T(x0 + rx, y0));
    lineTo(x1 - rx, y0);
    addCurve(T(x1, y0 + ry), T(x1 - rx + kx, y0), T(x1, y0 + ry - ky));
    lineTo(x1, y1 - ry);
    addCurve(T(x1 - rx, y1), T(x1, y1 - ry + ky), T(x1 - rx + kx, y1));
    lineTo(x0 + rx, y1);
    addCurve(T(x0, y1 - ry), T(x0 + rx - kx, y1), T(x0, y1 - ry + ky));
    lineTo(x0, y0 + ry);
    addCurve(T(x0 + rx, y0), T(x0, y0 + ry - ky), T(x0 + rx - kx, y0));
    closeSubpath();
}

namespace {

// The sine and cosine of an angle, and the tangent of a number, as the
// standard library gives them, kept for the last few angles asked for: a
// chart's bars each turn their corners through the same quarter turns.
struct SinCos {
    double sin, cos;
};

template <class Value, class Compute>
Value remembered(double x, Compute compute)
{
    struct Entry {
        std::uint64_t key;
        Value value;
        bool set = false;
    };
    constexpr std::size_t size = 16;
    thread_local std::array<Entry, size> entries{};
    const std::uint64_t key = std::bit_cast<std::uint64_t>(x);
    Entry& e = entries[(key * 0x9e3779b97f4a7c15u) >> 60]; // its top four bits, mixed from all
    if (!e.set || e.key != key)
        e = {key, compute(x), true};
    return e.value;
}

SinCos sinCosOf(double a)
{
    return remembered<SinCos>(a, [](double x) { return SinCos{std::sin(x), std::cos(x)}; });
}

double tanOf(double x)
{
    return remembered<double>(x, [](double v) { return std::tan(v); });
}

} // namespace

void Path::addArcSweep(Point c, double radius, double start, double sweep, const AffineTransform& t)
{
    // An arc with a coordinate that is not a number has no points to draw.
    if (!c.isFinite() || !std::isfinite(radius) || !std::isfinite(start) || !std::isfinite(sweep))
        return;
    if (radius == 0) {
        addLine(t.apply(c)); // a move when there is no current point
        return;
    }
    auto pointAt = [&](const SinCos& a) { return Point{c.x + radius * a.cos, c.y + radius * a.sin}; };
    addLine(t.apply(pointAt(sinCosOf(start))));
    const int parts = static_cast<int>(std::ceil(std::abs(sweep) / (std::numbers::pi / 2) - 1e-12));
    for (int i = 0; i < parts; ++i) {
        const double a0 = start + sweep * i / parts;
        const double a1 = start + sweep * (i + 1) / parts;
        const double k = 4.0 / 3.0 * tanOf((a1 - a0) / 4) * radius;
        const SinCos s0 = sinCosOf(a0), s1 = sinCosOf(a1);
        const Point p0 = pointAt(s0), p3 = pointAt(s1);
        const Point c1{p0.x - k * s0.sin, p0.y + k * s0.cos};
        const Point c2{p3.x + k * s1.sin, p3.y - k * s1.cos};
        addCurve(t.apply(p3), t.apply(c1), t.apply(c2));
    }
}

void Path::addArc(Point center, double radius, Angle start, Angle end, bool clockwise, const AffineTransform& t)
{
    addArc(center, radius, start.radians, end.radians, clockwise, t);
}

void Path::addArc(Point center, double radius, double start, double end, bool clockwise, const AffineTransform& t)
{
    double delta = end - start;
    // Skip the whole turns the loops below would add one at a time.
    if (clockwise ? delta > kTwoPi : delta < -kTwoPi)
        delta = std::fmod(delta, kTwoPi);
    if (!clockwise)
        while (delta < 0)
            delta += kTwoPi;
    else
        while (delta > 0)
            delta -= kTwoPi;
    delta = std::clamp(delta, -kTwoPi, kTwoPi);
    addArcSweep(center, radius, start, delta, t);
}

void Path::addRelativeArc(Point center, double radius, Angle start, Angle delta, const AffineTransform& t)
{
    addArcSweep(center, radius, start.radians, delta.radians, t);
}

void Path::addRelativeArc(Point center, double radius, double start, double delta, const AffineTransform& t)
{
    addArcSweep(center, radius, start, delta, t);
}

void Path::addLines(const std::vector<Point>& points)
{
    if (points.empty())
        return;
    move(points.front());
    for (std::size_t i = 1; i < points.size(); ++i)
        addLine(points[i]);
}

void Path::addPath(const Path& other, const AffineTransform& t)
{
    for (const Element& e : other.elements())
        add({e.type, t.apply(e.point), t.apply(e.control1), t.apply(e.control2)});
}

void Path::add(const Element& e)
{
    switch (e.type) {
    case Element::Type::move:
        return move(e.point);
    case Element::Type::line:
        return addLine(e.point);
    case Element::Type::quadCurve:
        return addQuadCurve(e.point, e.control1);
    case Element::Type::curve:
        return addCurve(e.point, e.control1, e.control2);
    case Element::Type::closeSubpath:
        return closeSubpath();
    }
}

void Path::forEach(const std::function<void(const Element&)>& visit) const
{
    for (const Element& e : elements())
        visit(e);
}

Rect Path::boundingRect() const
{
    const std::vector<Element>& all = elements();
    if (all.empty())
        return Rect::null();
    constexpr double inf = std::numeric_limits<double>::infinity();
    double x0 = inf, y0 = inf, x1 = -inf, y1 = -inf;
    for (const Element& e : all)
        if (e.type == Element::Type::move)
            Bezier{1, {e.point, e.point}}.addBounds(x0, y0, x1, y1);
    for (const Segment& s : walk(all, Measure::none).segments)
        s.curve.addBounds(x0, y0, x1, y1);
    return Rect(x0, y0, x1 - x0, y1 - y0);
}

bool Path::contains(Point p, bool evenOdd) const
{
    return toQPainterPath(evenOdd).contains(QPointF(p.x, p.y));
}

double Path::length() const
{
    return measured().total;
}

namespace {

// Whether trimming `elements` to the whole of them gives them back as they
// are: each subpath a move and drawing elements (closed at most once, at
// its end), every drawing element finite and of some length, so none is
// dropped and each would be copied unchanged.
bool keptWhole(const std::vector<Path::Element>& elements)
{
    using Type = Path::Element::Type;
    Point current;
    bool drawn = false, closed = false;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const Path::Element& e = elements[i];
        if (e.type == Type::move) {
            if (i > 0 && !drawn)
                return false; // a lone move is dropped
            current = e.point;
            drawn = closed = false;
            if (!e.point.isFinite() || !(e.control1 == Point{}) || !(e.control2 == Point{}))
                return false;
            continue;
        }
        if (i == 0 || closed)
            return false;
        if (e.type == Type::closeSubpath) {
            if (!drawn)
                return false;
            closed = true;
            continue;
        }
        const bool quad = e.type == Type::quadCurve, cubic = e.type == Type::curve;
        if (!e.point.isFinite() || !e.control1.isFinite() || !e.control2.isFinite())
            return false;
        // The unused control points as a trimmed element has them.
        if ((!quad && !cubic && !(e.control1 == Point{})) || (!cubic && !(e.control2 == Point{})))
            return false;
        const bool length = !(e.point == current) || ((quad || cubic) && !(e.control1 == current)) ||
                            (cubic && !(e.control2 == current));
        if (!length)
            return false;
        current = e.point;
        drawn = true;
    }
    return drawn;
}

} // namespace

Path Path::trimmedPath(double from, double to) const
{
    from = std::clamp(from, 0.0, 1.0);
    to = std::clamp(to, 0.0, 1.0);
    if (!(from < to))
        return {};
    // Kept whole where nothing would be dropped, the path is itself,
    // sharing its elements.
    if (from == 0 && to == 1 && keptWhole(elements()))
        return *this;
    // Kept whole, the path needs no arc lengths: every comparison below
    // holds for every segment that has any length at all. Points that are
    // not finite are measured as they are.
    const std::vector<Element>& all = elements();
    const bool whole = from == 0 && to == 1 && !(storage_ && storage_->measurement.load());
    Walk extent;
    if (whole)
        extent = walk(all, Measure::extent);
    const Walk& w = whole && std::isfinite(extent.total) ? extent : static_cast<const Walk&>(measured());
    if (!(w.total > 0))
        return {};
    const double a = from * w.total, b = to * w.total;
    Path result;
    // Room for the segments in the range's share of the length and a move
    // for each subpath, so that a path of thousands of elements trimmed is
    // built without growing again and again (segments of unequal length may
    // still take one growth more).
    if (w.segments.size() > initialCapacity)
        result.reserve(std::size_t((to - from) * double(w.segments.size())) + w.subpaths.size() + 2);
    std::size_t openRunSubpath = static_cast<std::size_t>(-1);
    std::size_t copiedSubpath = static_cast<std::size_t>(-1);
    double offset = 0;
    for (const Segment& s : w.segments) {
        const double s0 = offset, s1 = offset + s.length;
        offset = s1;
        if (s0 >= b)
            break; // every segment after starts later still
        if (s1 <= a || s.length == 0)
            continue;
        const Subpath& sub = w.subpaths[s.subpath];
        if (sub.closed && sub.startLength >= a && sub.endLength <= b) {
            // A closed subpath wholly inside the range stays as it is.
            if (copiedSubpath != s.subpath) {
                copiedSubpath = s.subpath;
                if (all[sub.firstElement].type != Element::Type::move)
                    result.move(sub.start);
                for (std::size_t i = sub.firstElement; i < sub.endElement; ++i)
                    result.add(all[i]);
            }
            continue;
        }
        if (s0 >= a && s1 <= b && openRunSubpath == s.subpath) {
            // The segment whole, continuing the run drawn so far: the
            // element it came from as its curve gives it, added as addLine,
            // addQuadCurve or addCurve would (the result is this function's
            // own and has a current point), without their checks.
            result.storage_->elements.push_back(elementFor(s.curve));
            result.current_ = s.curve.end();
            continue;
        }
        const double t0 = s0 >= a ? 0 : s.curve.parameterAt(a - s0, s.length);
        const double t1 = s1 <= b ? 1 : s.curve.parameterAt(b - s0, s.length);
        const Bezier piece = s.curve.part(t0, t1);
        if (openRunSubpath != s.subpath || t0 > 0) {
            result.move(piece.start());
            openRunSubpath = s.subpath;
        }
        result.add(elementFor(piece));
        if (t1 < 1)
            openRunSubpath = static_cast<std::size_t>(-1);
    }
    return result;
}

Point Path::point(double fraction) const
{
    fraction = std::clamp(fraction, 0.0, 1.0);
    const Walk& w = measured();
    if (!(w.total > 0))
        return isEmpty() ? Point{} : elements().front().point;
    const double target = fraction * w.total;
    double offset = 0;
    for (const Segment& s : w.segments) {
        if (s.length > 0 && target <= offset + s.length)
            return s.curve.at(s.curve.parameterAt(target - offset, s.length));
        offset += s.length;
    }
    return w.segments.back().curve.end();
}

Path Path::applying(const AffineTransform& t) const
{
    Path p;
    p.addPath(*this, t);
    return p;
}

QPainterPath Path::toQPainterPath(bool evenOdd) const
{
    QPainterPath q;
    q.setFillRule(evenOdd ? Qt::OddEvenFill : Qt::WindingFill);
    for (const Element& e : elements()) {
        switch (e.type) {
        case Element::Type::move:
            q.moveTo(e.point.x, e.point.y);
            break;
        case Element::Type::line:
            q.lineTo(e.point.x, e.point.y);
            break;
        case Element::Type::quadCurve:
            q.quadTo(e.control1.x, e.control1.y, e.point.x, e.point.y);
            break;
        case Element::Type::curve:
            q.cubicTo(e.control1.x, e.control1.y, e.control2.x, e.control2.y, e.point.x, e.point.y);
            break;
        case Element::Type::closeSubpath:
            q.closeSubpath();
            break;
        }
    }
    return q;
}

} // namespace kit
