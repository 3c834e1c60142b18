#pragma once

#include "charts/core/ValueText.h"

#include <string>
#include <variant>

namespace charts {

// Where a point of interest shows its value: as a label on the axis, in the
// centre of its marker line, at a given location along it, or not at all.
// Each shown case carries the value's specifier and optional formatter.
struct DisplayValue {
    struct YAxis {
        std::string specifier;
        NumberFormatterPtr formatter;
    };
    struct Center {
        std::string specifier;
        NumberFormatterPtr formatter;
    };
    struct Position {
        double location = 0;
        std::string specifier;
        NumberFormatterPtr formatter;
    };
    struct None {};

    std::variant<YAxis, Center, Position, None> value;

    static DisplayValue yAxis(std::string specifier, NumberFormatterPtr formatter)
    {
        return {YAxis{std::move(specifier), std::move(formatter)}};
    }
    static DisplayValue center(std::string specifier, NumberFormatterPtr formatter)
    {
        return {Center{std::move(specifier), std::move(formatter)}};
    }
    static DisplayValue position(double location, std::string specifier, NumberFormatterPtr formatter)
    {
        return {Position{location, std::move(specifier), std::move(formatter)}};
    }
    static DisplayValue none() { return {None{}}; }
};

} // namespace charts
