#pragma once

#include "kit/base/Color.h"

#include <vector>

namespace kit {

// Colour stops along 0...1. Stops are stable-sorted by location and clamped
// to 0...1; two stops at one location make a hard edge. Before the first
// stop the first colour applies, after the last the last colour.
class Gradient {
public:
    struct Stop {
        Color color;
        double location = 0;
        friend bool operator==(const Stop&, const Stop&) = default;
    };

    Gradient() = default;
    // Stop i of n at location i/(n − 1).
    Gradient(std::vector<Color> colors);
    Gradient(std::vector<Stop> stops);

    const std::vector<Stop>& stops() const { return stops_; }
    bool isEmpty() const { return stops_.empty(); }
    // The colour at t; clear for an empty gradient.
    RGBA colorAt(double t, ColorScheme scheme = ColorScheme::light, const ColorPalette* palette = nullptr) const;

    friend bool operator==(const Gradient&, const Gradient&) = default;

private:
    std::vector<Stop> stops_;
};

} // namespace kit
