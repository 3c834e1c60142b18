#pragma once

#include "kit/base/Path.h"

#include <string>
#include <vector>

namespace kit::detail {

// One part of a symbol: a path filled or stroked in one palette layer.
struct SymbolLayer {
    Path path;
    bool stroke = false;
    double lineWidth = 1.6;
    bool evenOdd = false;
    int layer = 1; // 1: primary colour, 2: secondary colour
};

// A vector symbol drawn on a design box (usually 24 × 24).
struct Symbol {
    Size box{24, 24};
    std::vector<SymbolLayer> layers;
};

// The registry of symbols drawn by kit, by name; null for unknown names.
const Symbol* findSymbol(const std::string& name);
std::vector<std::string> symbolNames();

} // namespace kit::detail
