#pragma once

#include <cmath>
#include <cstddef>

namespace kit {

// A point in points, y growing downwards.
struct Point {
    double x = 0;
    double y = 0;

    friend bool operator==(const Point&, const Point&) = default;
    friend Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
    friend Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
    friend Point operator*(Point a, double s) { return {a.x * s, a.y * s}; }
    friend Point operator*(double s, Point a) { return {a.x * s, a.y * s}; }
    Point& operator+=(Point o)
    {
        x += o.x;
        y += o.y;
        return *this;
    }

    double length() const { return std::hypot(x, y); }
    double distance(Point o) const { return (*this - o).length(); }
    bool isFinite() const { return std::isfinite(x) && std::isfinite(y); }
    // The point a fraction t of the way from a to b.
    static Point lerp(Point a, Point b, double t) { return a + (b - a) * t; }
};

} // namespace kit
