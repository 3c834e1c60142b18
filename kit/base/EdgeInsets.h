#pragma once

#include <cstdint>

namespace kit {

// Distances inside the four edges of a rectangle.
struct EdgeInsets {
    double top = 0;
    double leading = 0;
    double bottom = 0;
    double trailing = 0;

    static constexpr EdgeInsets all(double v) { return {v, v, v, v}; }
    constexpr double horizontal() const { return leading + trailing; }
    constexpr double vertical() const { return top + bottom; }
    friend constexpr bool operator==(const EdgeInsets&, const EdgeInsets&) = default;
};

// A set of edges, as used by padding: Edge::top | Edge::leading, Edge::horizontal, ...
struct Edge {
    enum : std::uint8_t {
        top = 1,
        leading = 2,
        bottom = 4,
        trailing = 8,
        horizontal = leading | trailing,
        vertical = top | bottom,
        all = top | leading | bottom | trailing,
    };
};
using EdgeSet = std::uint8_t;

// Insets of `length` on the edges of `edges`, zero elsewhere.
constexpr EdgeInsets insets(EdgeSet edges, double length)
{
    return {edges & Edge::top ? length : 0, edges & Edge::leading ? length : 0,
            edges & Edge::bottom ? length : 0, edges & Edge::trailing ? length : 0};
}

} // namespace kit
