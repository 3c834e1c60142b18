#pragma once

#include "charts/core/Hasher.h"

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
    std::size_t operator()(const charts::Baseline& b) const
    {
        charts::Hasher hasher;
        hasher.combine(b.value.index());
        if (const auto* c = std::get_if<charts::Baseline::MinimumWithMaximum>(&b.value))
            hasher.combine(c->of);
        return hasher.finalize();
    }
};
