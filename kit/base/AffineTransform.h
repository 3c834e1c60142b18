#pragma once

#include "kit/base/Point.h"

#include <optional>

class QTransform;

namespace kit {

// Maps (x, y) to (a·x + c·y + tx, b·x + d·y + ty).
struct AffineTransform {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    static constexpr AffineTransform identity() { return {}; }
    static constexpr AffineTransform translation(double x, double y) { return {1, 0, 0, 1, x, y}; }
    static constexpr AffineTransform scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
    // Positive angles turn clockwise on screen.
    static AffineTransform rotation(double radians);

    // This transform first, then `then`.
    AffineTransform concatenating(const AffineTransform& then) const;
    // This transform applied about `anchor` instead of the origin (a scale
    // or rotation that keeps `anchor` where it is).
    AffineTransform about(Point anchor) const
    {
        return translation(-anchor.x, -anchor.y).concatenating(*this).concatenating(translation(anchor.x, anchor.y));
    }
    std::optional<AffineTransform> inverted() const;
    bool isIdentity() const { return *this == AffineTransform{}; }

    Point apply(Point p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }

    QTransform toQTransform() const;

    friend constexpr bool operator==(const AffineTransform&, const AffineTransform&) = default;
};

} // namespace kit
