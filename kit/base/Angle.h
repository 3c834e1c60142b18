#pragma once

#include <numbers>

namespace kit {

// An angle stored in radians; positive angles turn clockwise on screen.
struct Angle {
    double radians = 0;

    static constexpr Angle zero() { return {0}; }
    static constexpr Angle fromRadians(double r) { return {r}; }
    static constexpr Angle degrees(double d) { return {d * std::numbers::pi / 180.0}; }
    constexpr double inDegrees() const { return radians * 180.0 / std::numbers::pi; }

    friend constexpr bool operator==(Angle, Angle) = default;
    friend constexpr Angle operator+(Angle a, Angle b) { return {a.radians + b.radians}; }
    friend constexpr Angle operator-(Angle a, Angle b) { return {a.radians - b.radians}; }
    friend constexpr Angle operator*(Angle a, double s) { return {a.radians * s}; }
};

} // namespace kit
