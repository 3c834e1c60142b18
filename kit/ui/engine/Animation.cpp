#include "kit/ui/Animation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kit {

namespace {

double cubic(double p1, double p2, double u)
{
    const double v = 1 - u;
    return 3 * v * v * u * p1 + 3 * v * u * u * p2 + u * u * u;
}

double cubicSlope(double p1, double p2, double u)
{
    const double v = 1 - u;
    return 3 * v * v * p1 + 6 * v * u * (p2 - p1) + 3 * u * u * (1 - p2);
}

} // namespace

Animation Animation::linear(double duration)
{
    Animation a;
    a.kind_ = Kind::linear;
    a.duration_ = duration;
    return a;
}

Animation Animation::easeIn(double duration)
{
    return timingCurve(0.42, 0, 1, 1, duration);
}
Animation Animation::easeOut(double duration)
{
    return timingCurve(0, 0, 0.58, 1, duration);
}
Animation Animation::easeInOut(double duration)
{
    return timingCurve(0.42, 0, 0.58, 1, duration);
}

Animation Animation::timingCurve(double c1x, double c1y, double c2x, double c2y, double duration)
{
    Animation a;
    a.kind_ = Kind::bezier;
    a.c1x_ = std::clamp(c1x, 0.0, 1.0);
    a.c1y_ = c1y;
    a.c2x_ = std::clamp(c2x, 0.0, 1.0);
    a.c2y_ = c2y;
    a.duration_ = duration;
    return a;
}

Animation Animation::spring(double response, double dampingFraction, double blendDuration)
{
    Animation a;
    a.kind_ = Kind::spring;
    a.response_ = response;
    a.damping_ = std::max(0.0, dampingFraction);
    a.blend_ = blendDuration;
    a.duration_ = 0;
    return a;
}

Animation Animation::interactiveSpring(double response, double dampingFraction, double blendDuration)
{
    return spring(response, dampingFraction, blendDuration);
}

Animation Animation::delay(double seconds) const
{
    Animation a = *this;
    a.delay_ += seconds;
    return a;
}

Animation Animation::speed(double factor) const
{
    Animation a = *this;
    if (factor <= 0) {
        a.speed_ = 0;
        return a;
    }
    a.speed_ *= factor;
    a.delay_ /= factor;
    return a;
}

Animation Animation::repeatCount(int count, bool autoreverses) const
{
    Animation a = *this;
    a.repeats_ = std::max(0, count);
    a.autoreverses_ = autoreverses;
    return a;
}

Animation Animation::repeatForever(bool autoreverses) const
{
    Animation a = *this;
    a.repeats_ = -1;
    a.autoreverses_ = autoreverses;
    return a;
}

double Animation::bezierProgress(double x) const
{
    x = std::clamp(x, 0.0, 1.0);
    // The many values of one change (a chart's bars) sample the same curve at
    // the same time on each frame: the last answer is kept.
    struct Solved {
        double c1x = -1, c1y = 0, c2x = 0, c2y = 0, x = -1, y = 0;
    };
    static thread_local Solved last;
    if (last.x == x && last.c1x == c1x_ && last.c1y == c1y_ && last.c2x == c2x_ && last.c2y == c2y_)
        return last.y;
    const double y = solveBezier(x);
    last = {c1x_, c1y_, c2x_, c2y_, x, y};
    return y;
}

double Animation::solveBezier(double x) const
{
    // Solve Bx(u) = x by Newton's method, falling back to bisection.
    double u = x;
    for (int i = 0; i < 8; ++i) {
        const double err = cubic(c1x_, c2x_, u) - x;
        if (std::abs(err) < 1e-7)
            return cubic(c1y_, c2y_, u);
        const double slope = cubicSlope(c1x_, c2x_, u);
        if (std::abs(slope) < 1e-9)
            break;
        u -= err / slope;
        if (u < 0 || u > 1)
            break;
    }
    double lo = 0, hi = 1;
    u = x;
    for (int i = 0; i < 64; ++i) {
        const double value = cubic(c1x_, c2x_, u);
        if (std::abs(value - x) < 1e-7)
            break;
        (value < x ? lo : hi) = u;
        u = (lo + hi) / 2;
    }
    return cubic(c1y_, c2y_, u);
}

void Animation::springBasis(double t, double& a, double& b) const
{
    const double w0 = 2 * std::numbers::pi / response_;
    const double z = damping_;
    if (std::abs(z - 1) < 1e-9) {
        const double e = std::exp(-w0 * t);
        a = e * (1 + w0 * t);
        b = e * t;
    } else if (z < 1) {
        const double wd = w0 * std::sqrt(1 - z * z);
        const double e = std::exp(-z * w0 * t);
        a = e * (std::cos(wd * t) + z * w0 / wd * std::sin(wd * t));
        b = e * std::sin(wd * t) / wd;
    } else {
        const double root = std::sqrt(z * z - 1);
        const double r1 = -w0 * (z - root), r2 = -w0 * (z + root);
        const double e1 = std::exp(r1 * t), e2 = std::exp(r2 * t);
        const double ca = -r2 / (r1 - r2);
        a = ca * e1 + (1 - ca) * e2;
        b = (e1 - e2) / (r1 - r2);
    }
}

double Animation::settleTime(double u0, double v0) const
{
    if (kind_ != Kind::spring)
        return duration_;
    if (response_ <= 0)
        return 0;
    const double w0 = 2 * std::numbers::pi / response_;
    const double z = damping_;
    if (z <= 0)
        return std::numeric_limits<double>::infinity();
    auto envelope = [&](double t) {
        if (std::abs(z - 1) < 1e-9)
            return std::exp(-w0 * t) * (std::abs(u0) + std::abs(v0 + w0 * u0) * t);
        if (z < 1) {
            const double wd = w0 * std::sqrt(1 - z * z);
            const double k = (v0 + z * w0 * u0) / wd;
            return std::exp(-z * w0 * t) * std::sqrt(u0 * u0 + k * k);
        }
        const double root = std::sqrt(z * z - 1);
        const double r1 = -w0 * (z - root), r2 = -w0 * (z + root);
        const double c1 = (v0 - r2 * u0) / (r1 - r2), c2 = u0 - c1;
        return std::abs(c1) * std::exp(r1 * t) + std::abs(c2) * std::exp(r2 * t);
    };
    constexpr double threshold = 1e-3;
    if (envelope(0) <= threshold)
        return 0;
    const double step = response_ / 64;
    double t = 0;
    while (envelope(t + step) > threshold) {
        t += step;
        if (t > 1e4 * response_)
            return std::numeric_limits<double>::infinity();
    }
    double lo = t, hi = t + step;
    for (int i = 0; i < 50; ++i) {
        const double mid = (lo + hi) / 2;
        (envelope(mid) > threshold ? lo : hi) = mid;
    }
    return hi;
}

double Animation::runLength(double settle) const
{
    return kind_ == Kind::spring ? settle : duration_;
}

double Animation::curveProgress(double x) const
{
    switch (kind_) {
    case Kind::linear:
        return std::clamp(x, 0.0, 1.0);
    case Kind::bezier:
        return bezierProgress(x);
    case Kind::spring: {
        double a = 0, b = 0;
        springBasis(std::clamp(x, 0.0, 1.0) * settleTime(), a, b);
        return 1 - a;
    }
    }
    return x;
}

Animation::Sample Animation::sample(double elapsed, double settle) const
{
    if (speed_ <= 0 || (kind_ == Kind::spring && response_ <= 0))
        return {0, 0, true};
    if (elapsed < delay_)
        return {1, 0, false};
    const double tau = (elapsed - delay_) * speed_;
    const double run = runLength(settle);
    if (!(run > 0))
        return {0, 0, true};
    // An undamped spring never settles: its one run lasts for ever.
    const double index = std::isinf(run) ? 0 : std::floor(tau / run);
    if (repeats_ >= 0 && index >= repeats_)
        return {0, 0, true};
    const double local = index == 0 ? tau : tau - index * run;
    const bool reversed = autoreverses_ && std::fmod(index, 2.0) == 1.0;
    if (kind_ == Kind::spring) {
        double a = 0, b = 0;
        springBasis(local, a, b);
        if (index == 0 && !reversed)
            return {a, b / speed_, false}; // velocity is per second of real time
        return {reversed ? 1 - a : a, 0, false};
    }
    const double p = curveProgress(local / run);
    return {reversed ? p : 1 - p, 0, false};
}

} // namespace kit
