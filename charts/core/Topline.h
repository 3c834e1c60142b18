#pragma once

#include "charts/core/Hasher.h"

#include <tuple>
#include <variant>

namespace charts {

// Where the value axis ends: at the highest data value, or at the higher of
// the highest data value and a given value.
struct Topline {
    struct MaximumValue {
        friend bool operator==(MaximumValue, MaximumValue) = default;
    };
    struct Maximum {
        double of = 0;
        auto members() const { return std::tie(of); }
        friend bool operator==(Maximum, Maximum) = default;
    };

    std::variant<MaximumValue, Maximum> value;

    static Topline maximumValue() { return {MaximumValue{}}; }
    static Topline maximum(double of) { return {Maximum{of}}; }

    friend bool operator==(const Topline&, const Topline&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::Topline> {
    std::size_t operator()(const charts::Topline& t) const { return charts::hashValues(t.value); }
};
