#pragma once

#include <type_traits>
#include <variant>

namespace charts {

// Marks the touch-marker enumerations of the charts with axes. Their cases
// are structs in a variant `value`; the drawn cases derive from one payload
// struct (colour, stroke, ...).
struct MarkerType {
    // The payload of the case `value` holds, or null for a case without one.
    template <class Payload, class... Cases>
    static const Payload* payloadOf(const std::variant<Cases...>& value)
    {
        return std::visit(
            [](const auto& c) -> const Payload* {
                if constexpr (std::is_base_of_v<Payload, std::decay_t<decltype(c)>>)
                    return &c;
                else
                    return nullptr;
            },
            value);
    }
};

} // namespace charts
