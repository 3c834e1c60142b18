#pragma once

#include <string>
#include <variant>

namespace charts {

// A unit text shown before or after a touched value, or no unit.
struct TouchUnit {
    struct Prefix {
        std::string of;
    };
    struct Suffix {
        std::string of;
    };
    struct None {};

    std::variant<Prefix, Suffix, None> value{None{}};

    static TouchUnit prefix(std::string of) { return {Prefix{std::move(of)}}; }
    static TouchUnit suffix(std::string of) { return {Suffix{std::move(of)}}; }
    static TouchUnit none() { return {None{}}; }

    template <class Case>
    bool is() const
    {
        return std::holds_alternative<Case>(value);
    }
};

} // namespace charts
