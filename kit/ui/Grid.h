#pragma once

#include "kit/ui/View.h"

#include <optional>
#include <vector>

namespace kit {

// A column of a LazyVGrid (a row of a LazyHGrid): fixed, flexible between a
// minimum and a maximum, or adaptive (as many columns of at least `minimum`
// as fit). `spacing` is the gap after it (8 when unset).
struct GridItem {
    enum class Kind { fixed, flexible, adaptive };
    Kind kind = Kind::flexible;
    double minimum = 10;
    double maximum = infinity;
    std::optional<double> spacing;
    std::optional<HorizontalAlignment> alignment;
    friend bool operator==(const GridItem&, const GridItem&) = default;

    static GridItem fixed(double size, std::optional<double> spacing = std::nullopt)
    {
        return {Kind::fixed, size, size, spacing, std::nullopt};
    }
    static GridItem flexible(double minimum = 10, double maximum = infinity,
                             std::optional<double> spacing = std::nullopt)
    {
        return {Kind::flexible, minimum, maximum, spacing, std::nullopt};
    }
    static GridItem adaptive(double minimum, double maximum = infinity, std::optional<double> spacing = std::nullopt)
    {
        return {Kind::adaptive, minimum, maximum, spacing, std::nullopt};
    }
};

// Cells fill the columns left to right, then top to bottom; a row is as high
// as its tallest cell; rows are `spacing` apart (8 when unset). Every cell is
// built (there is no scrolling to be lazy about).
View LazyVGrid(std::vector<GridItem> columns, std::vector<View> content);
View LazyVGrid(std::vector<GridItem> columns, HorizontalAlignment alignment, std::vector<View> content);
View LazyVGrid(std::vector<GridItem> columns, HorizontalAlignment alignment, std::optional<double> spacing,
               std::vector<View> content);

// The same with the axes swapped: rows fill top to bottom, then left to right.
View LazyHGrid(std::vector<GridItem> rows, std::vector<View> content);
View LazyHGrid(std::vector<GridItem> rows, VerticalAlignment alignment, std::optional<double> spacing,
               std::vector<View> content);

} // namespace kit
