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
enum class Edge : std::uint8_t {
    top = 1,
    leading = 2,
    bottom = 4,
    trailing = 8,
    horizontal = 2 | 8,
    vertical = 1 | 4,
    all = 15,
};
using EdgeSet = Edge;

constexpr Edge operator|(Edge a, Edge b)
{
    return static_cast<Edge>(static_cast<std::uint8_t>(a) | static_cast<std::uint8_t>(b));
}
constexpr bool contains(Edge set, Edge edge)
{
    return (static_cast<std::uint8_t>(set) & static_cast<std::uint8_t>(edge)) != 0;
}

// Insets of `length` on the edges of `edges`, zero elsewhere.
constexpr EdgeInsets insets(EdgeSet edges, double length)
{
    return {contains(edges, Edge::top) ? length : 0, contains(edges, Edge::leading) ? length : 0,
            contains(edges, Edge::bottom) ? length : 0, contains(edges, Edge::trailing) ? length : 0};
}

} // namespace kit
