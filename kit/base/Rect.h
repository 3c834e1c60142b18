#pragma once

#include "kit/base/Point.h"
#include "kit/base/Size.h"

namespace kit {

struct AffineTransform;

// An origin and a size. Accessors standardise negative sizes: minX is
// min(x, x + w), width is |w|. The null rect (origin +inf, size 0) is what a
// union of nothing and an intersection of disjoint rects give.
struct Rect {
    Point origin;
    Size size;

    constexpr Rect() = default;
    constexpr Rect(Point o, Size s) : origin(o), size(s) {}
    constexpr Rect(double x, double y, double w, double h) : origin{x, y}, size{w, h} {}

    static Rect null();
    bool isNull() const;
    // True for the null rect and for rects with no area.
    bool isEmpty() const;

    double minX() const;
    double midX() const { return (minX() + maxX()) / 2; }
    double maxX() const;
    double minY() const;
    double midY() const { return (minY() + maxY()) / 2; }
    double maxY() const;
    double width() const;
    double height() const;
    Point center() const { return {midX(), midY()}; }

    Rect standardized() const;
    Rect unionWith(const Rect& other) const;
    Rect intersection(const Rect& other) const;
    // Adds (dx, dy) to the origin and removes twice that from the size; a
    // negative result is the null rect.
    Rect insetBy(double dx, double dy) const;
    Rect offsetBy(double dx, double dy) const;
    bool contains(Point p) const;
    // The bounding box of the transformed corners.
    Rect applying(const AffineTransform& t) const;

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

} // namespace kit
