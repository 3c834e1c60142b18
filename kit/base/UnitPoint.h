#pragma once

#include "kit/base/Hashing.h"
#include "kit/base/Point.h"
#include "kit/base/Rect.h"

namespace kit {

// A point given as fractions of a rectangle's width and height.
struct UnitPoint {
    double x = 0;
    double y = 0;

    static constexpr UnitPoint zero() { return {0, 0}; }
    static constexpr UnitPoint topLeading() { return {0, 0}; }
    static constexpr UnitPoint top() { return {0.5, 0}; }
    static constexpr UnitPoint topTrailing() { return {1, 0}; }
    static constexpr UnitPoint leading() { return {0, 0.5}; }
    static constexpr UnitPoint center() { return {0.5, 0.5}; }
    static constexpr UnitPoint trailing() { return {1, 0.5}; }
    static constexpr UnitPoint bottomLeading() { return {0, 1}; }
    static constexpr UnitPoint bottom() { return {0.5, 1}; }
    static constexpr UnitPoint bottomTrailing() { return {1, 1}; }

    // (r.minX + x·r.width, r.minY + y·r.height).
    Point in(const Rect& r) const { return {r.minX() + x * r.width(), r.minY() + y * r.height()}; }

    friend constexpr bool operator==(const UnitPoint&, const UnitPoint&) = default;
};

} // namespace kit

template <>
struct std::hash<kit::UnitPoint> {
    std::size_t operator()(const kit::UnitPoint& p) const noexcept
    {
        std::size_t seed = kit::hashDouble(p.x);
        kit::hashCombine(seed, kit::hashDouble(p.y));
        return seed;
    }
};
