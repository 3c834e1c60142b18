#pragma once

#include "kit/base/Size.h"
#include "kit/base/UnitPoint.h"

#include <limits>
#include <optional>

namespace kit {

inline constexpr double infinity = std::numeric_limits<double>::infinity();

// What a parent offers a child, each dimension a number or unspecified.
// Probes: 0 asks for the minimum, infinity for the maximum, unspecified for
// the ideal size.
struct ProposedSize {
    std::optional<double> width;
    std::optional<double> height;

    ProposedSize() = default;
    ProposedSize(std::optional<double> w, std::optional<double> h) : width(w), height(h) {}
    ProposedSize(Size s) : width(s.width), height(s.height) {}

    static ProposedSize unspecified() { return {}; }
    static ProposedSize zero() { return {0.0, 0.0}; }
    static ProposedSize infinite() { return {infinity, infinity}; }
    // Unspecified dimensions replaced by `fallback`.
    Size replacingUnspecified(Size fallback = {10, 10}) const
    {
        return {width.value_or(fallback.width), height.value_or(fallback.height)};
    }

    friend bool operator==(const ProposedSize&, const ProposedSize&) = default;
};

enum class Axis { horizontal, vertical };

enum class HorizontalAlignment { leading, center, trailing };
enum class VerticalAlignment { top, center, bottom, firstTextBaseline, lastTextBaseline };

// One horizontal and one vertical guide.
struct Alignment {
    HorizontalAlignment horizontal = HorizontalAlignment::center;
    VerticalAlignment vertical = VerticalAlignment::center;

    static constexpr Alignment topLeading() { return {HorizontalAlignment::leading, VerticalAlignment::top}; }
    static constexpr Alignment top() { return {HorizontalAlignment::center, VerticalAlignment::top}; }
    static constexpr Alignment topTrailing() { return {HorizontalAlignment::trailing, VerticalAlignment::top}; }
    static constexpr Alignment leading() { return {HorizontalAlignment::leading, VerticalAlignment::center}; }
    static constexpr Alignment center() { return {}; }
    static constexpr Alignment trailing() { return {HorizontalAlignment::trailing, VerticalAlignment::center}; }
    static constexpr Alignment bottomLeading() { return {HorizontalAlignment::leading, VerticalAlignment::bottom}; }
    static constexpr Alignment bottom() { return {HorizontalAlignment::center, VerticalAlignment::bottom}; }
    static constexpr Alignment bottomTrailing() { return {HorizontalAlignment::trailing, VerticalAlignment::bottom}; }

    friend constexpr bool operator==(const Alignment&, const Alignment&) = default;
};

// A view's size and guide values, as seen by alignmentGuide closures.
struct ViewDimensions {
    double width = 0;
    double height = 0;
    double firstBaseline = 0;
    double lastBaseline = 0;

    // The dimensions of a box of `size` with no text: its baselines at its bottom edge.
    static ViewDimensions box(Size size) { return {size.width, size.height, size.height, size.height}; }

    double operator[](HorizontalAlignment g) const
    {
        return g == HorizontalAlignment::leading ? 0 : g == HorizontalAlignment::center ? width / 2 : width;
    }
    double operator[](VerticalAlignment g) const
    {
        switch (g) {
        case VerticalAlignment::top:
            return 0;
        case VerticalAlignment::center:
            return height / 2;
        case VerticalAlignment::bottom:
            return height;
        case VerticalAlignment::firstTextBaseline:
            return firstBaseline;
        case VerticalAlignment::lastTextBaseline:
            return lastBaseline;
        }
        return 0;
    }
};

enum class ContentMode { fit, fill };

} // namespace kit
