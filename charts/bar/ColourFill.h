#pragma once

#include "kit/base/Color.h"
#include "kit/base/Paint.h"

namespace charts {

// The fill of a bar, cell or part drawn in one colour.
struct ColourFill {
    kit::Color colour;

    kit::Paint fill() const { return colour; }
};

} // namespace charts
