#pragma once

#include "charts/core/Hasher.h"

#include <tuple>
#include <variant>

namespace charts {

// Where the value axis starts: at the lowest data value, at the lower of the
// lowest data value and a given value, or at 0.
struct Baseline {
    struct MinimumValue {
        friend bool operator==(MinimumValue, MinimumValue) = default;
    };
    struct MinimumWithMaximum {
        double of = 0;
        auto members() const { return std::tie(of); }
        friend bool operator==(MinimumWithMaximum, MinimumWithMaximum) = default;
    };
    struct Zero {
        friend bool operator==(Zero, Zero) = default;
    };

    std::variant<MinimumValue, MinimumWithMaximum, Zero> value;

    static Baseline minimumValue() { return {MinimumValue{}}; }
    static Baseline minimumWithMaximum(double of) { return {MinimumWithMaximum{of}}; }
    static Baseline zero() { return {Zero{}}; }

    friend bool operator==(const Baseline&, const Baseline&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::Baseline> {
    std::size_t operator()(const charts::Baseline& b) const { return charts::hashValues(b.value); }
};
