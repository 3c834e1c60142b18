#include "kit/base/Paint.h"

#include <QBrush>
#include <QConicalGradient>
#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>

namespace kit {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// Qt keeps one stop per position: a hard edge moves its second stop on by 1e-6.
void setStops(QGradient& q, std::vector<std::pair<double, QColor>> stops)
{
    double last = -1;
    for (auto& [position, color] : stops) {
        if (position <= last)
            position = last + 1e-6;
        last = position;
        q.setColorAt(std::min(position, 1.0), color);
    }
}

double angularT(const AngularGradient& g, Point p, const Rect& frame)
{
    const Point c = g.center.in(frame);
    const double start = g.startAngle.radians;
    const double span = g.endAngle.radians - start;
    if (!(span > 0))
        return 0;
    // The angle of p clockwise from the start, in [0, 2π).
    double along = std::fmod(std::atan2(p.y - c.y, p.x - c.x) - start, kTwoPi);
    if (along < 0)
        along += kTwoPi;
    if (!(along < kTwoPi))
        along = 0;
    if (along <= span)
        return along / span;
    return along - span < kTwoPi - along ? 1.0 : 0.0; // the nearer end
}

} // namespace

RGBA paintColorAt(const Paint& paint, Point p, const Rect& frame, ColorScheme scheme, const ColorPalette* palette)
{
    if (const auto* color = std::get_if<Color>(&paint))
        return color->resolved(scheme, palette);
    if (const auto* g = std::get_if<LinearGradient>(&paint)) {
        const Point s = g->startPoint.in(frame), e = g->endPoint.in(frame);
        const Point d = e - s;
        const double len2 = d.x * d.x + d.y * d.y;
        const double t = len2 > 0 ? ((p.x - s.x) * d.x + (p.y - s.y) * d.y) / len2 : 0;
        return g->gradient.colorAt(len2 > 0 ? t : -1, scheme, palette);
    }
    if (const auto* g = std::get_if<RadialGradient>(&paint)) {
        const double r = p.distance(g->center.in(frame));
        const double span = g->endRadius - g->startRadius;
        return g->gradient.colorAt(span != 0 ? (r - g->startRadius) / span : 0, scheme, palette);
    }
    const auto& g = std::get<AngularGradient>(paint);
    return g.gradient.colorAt(angularT(g, p, frame), scheme, palette);
}

QBrush toQBrush(const Paint& paint, const Rect& frame, ColorScheme scheme, const ColorPalette* palette)
{
    if (const auto* color = std::get_if<Color>(&paint))
        return QBrush(color->resolved(scheme, palette).toQColor());
    const Gradient* gradient = std::visit(
        [](const auto& v) -> const Gradient* {
            if constexpr (std::is_same_v<std::decay_t<decltype(v)>, Color>)
                return nullptr;
            else
                return &v.gradient;
        },
        paint);
    const auto& stops = gradient->stops();
    if (stops.empty())
        return QBrush(Qt::NoBrush);
    auto qcolor = [&](const Gradient::Stop& s) { return s.color.resolved(scheme, palette).toQColor(); };
    if (stops.size() == 1)
        return QBrush(qcolor(stops.front()));

    std::vector<std::pair<double, QColor>> qstops;
    if (const auto* g = std::get_if<LinearGradient>(&paint)) {
        const Point s = g->startPoint.in(frame), e = g->endPoint.in(frame);
        if (s == e)
            return QBrush(qcolor(stops.front()));
        QLinearGradient q(s.x, s.y, e.x, e.y);
        for (const auto& stop : stops)
            qstops.emplace_back(stop.location, qcolor(stop));
        setStops(q, qstops);
        return QBrush(q);
    }
    if (const auto* g = std::get_if<RadialGradient>(&paint)) {
        const Point c = g->center.in(frame);
        if (g->endRadius == g->startRadius)
            return QBrush(qcolor(stops.front()));
        // Qt runs outwards: a gradient that runs inwards is the same one
        // reversed between its radii swapped.
        const bool inwards = g->endRadius < g->startRadius;
        const double inner = std::max(0.0, std::min(g->startRadius, g->endRadius));
        QRadialGradient q(QPointF(c.x, c.y), std::max(g->startRadius, g->endRadius), QPointF(c.x, c.y), inner);
        if (inwards)
            for (auto it = stops.rbegin(); it != stops.rend(); ++it)
                qstops.emplace_back(1 - it->location, qcolor(*it));
        else
            for (const auto& stop : stops)
                qstops.emplace_back(stop.location, qcolor(stop));
        setStops(q, qstops);
        return QBrush(q);
    }
    // Qt's conical gradient runs counter-clockwise from its angle: mirror the
    // locations and fill the gap after `endAngle` with the nearer end colour.
    const auto& g = std::get<AngularGradient>(paint);
    const Point c = g.center.in(frame);
    const double span = std::clamp(g.endAngle.radians - g.startAngle.radians, 0.0, kTwoPi);
    if (span <= 0)
        return QBrush(qcolor(stops.front()));
    QConicalGradient q(QPointF(c.x, c.y), -g.startAngle.inDegrees());
    // Qt pads before its first stop and after its last one, which gives the
    // colours beyond the first and last kit stops; only the gap after
    // `endAngle` needs stops of its own.
    const double gap = 1 - span / kTwoPi;
    if (gap > 0) {
        qstops.emplace_back(0.0, qcolor(stops.front()));
        qstops.emplace_back(gap / 2, qcolor(stops.front()));
        qstops.emplace_back(gap / 2, qcolor(stops.back()));
    }
    for (auto it = stops.rbegin(); it != stops.rend(); ++it)
        qstops.emplace_back(1 - it->location * span / kTwoPi, qcolor(*it));
    setStops(q, qstops);
    return QBrush(q);
}

} // namespace kit
